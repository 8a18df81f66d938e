// Install, end to end: what the spooler and the registry hold afterwards,
// and what the user is told.
#include "wizard.h"

namespace e2e {
namespace {

// Stands for a default printer chosen before the install; it must survive an
// install with "Set Default Printer" cleared.
const wchar_t* const kEarlierDefault = L"Earlier Printer,winspool,FILE:";

struct InstallCase {
  const char* name;
  int model;  // row of the model list
  bool setDefault;
  std::optional<std::wstring> addedPort;   // added to the spooler first
  std::optional<std::wstring> chosenPort;  // nullopt: keep the preselected row
  bool enterOnList;                        // Enter on the port list instead of Install
  std::wstring expectedPort;
};

void PrintTo(const InstallCase& row, std::ostream* os) { *os << row.name; }

class Install : public WizardTest, public ::testing::WithParamInterface<InstallCase> {};

TEST_P(Install, CompletesWithDriverPrinterAndDefault) {
  const InstallCase& c = GetParam();
  SetDefaultPrinterDevice(kEarlierDefault);
  if (c.addedPort) AddPortValue(*c.addedPort);

  HWND detail = StartAtDetailSetting();
  ASSERT_TRUE(detail);
  if (c.model != kInitialModelRow) ChooseComboRow(detail, id::kModelList, c.model);
  if (!c.setDefault) Click(detail, id::kSetDefault);
  ASSERT_EQ(ComboSelection(detail, id::kModelList), c.model);
  ASSERT_EQ(Checked(detail, id::kSetDefault), c.setDefault);

  HWND page = NextToSelectPort(detail);
  ASSERT_TRUE(page);
  HWND listWindow = Item(page, id::kPortView);
  RemoteListView list(app(), listWindow);
  if (c.chosenPort) {
    const int row = RowOf(list.Column(0), *c.chosenPort);
    ASSERT_NE(row, -1) << Utf8(*c.chosenPort) << " is not listed";
    list.SelectRow(row);
    ASSERT_EQ(list.SelectedRows(), std::vector<int>{row});
  }

  if (c.enterOnList) {
    PressEnterOn(listWindow);
  } else {
    Press(page, id::kInstall);
  }
  const std::optional<std::wstring> message = AnswerMessageBox(kInstallTimeoutMs);
  ASSERT_TRUE(message) << "no message box; on screen: " << Utf8(app().DescribeWindows());
  EXPECT_EQ(*message, L"Completed!");
  EXPECT_TRUE(Ended());

  const std::wstring& model = kModelNames[c.model];
  EXPECT_TRUE(DriverInstalled(model));
  const PrinterState printer = FindPrinter(model);
  ASSERT_TRUE(printer.exists);
  EXPECT_EQ(printer.portName, c.expectedPort);
  EXPECT_EQ(printer.driverName, model);
  EXPECT_EQ(DefaultPrinterDevice(),
            c.setDefault ? model + L",winspool," + c.expectedPort : kEarlierDefault);
}

INSTANTIATE_TEST_SUITE_P(
    Installs, Install,
    ::testing::Values(
        InstallCase{"InitialChoices", kInitialModelRow, true, {}, {}, false, L"LPT1:"},
        InstallCase{"OtherModelOnCom2WithoutDefault", 9, false, {}, L"COM2:", false, L"COM2:"},
        InstallCase{"EnterOnThePortList", kInitialModelRow, true, {}, {}, true, L"LPT1:"},
        InstallCase{"NonAsciiPortName", 12, true, L"端口7:", L"端口7:", false, L"端口7:"}),
    [](const ::testing::TestParamInfo<InstallCase>& info) { return info.param.name; });

// The port settings are hidden, but the install still reads them: with a COM
// row in the port list it stores that port's line settings, whatever port
// the printer is created on.
TEST_F(WizardTest, InstallStoresTheLineSettingsOfTheChosenComPort) {
  HWND detail = StartAtDetailSetting();
  ASSERT_TRUE(detail);
  ChooseComboRow(detail, id::kPortList, 4);     // COM2
  ChooseComboRow(detail, id::kBaudRate, 4);     // 9600
  ChooseComboRow(detail, id::kParity, 3);       // Odd
  ChooseComboRow(detail, id::kDataBits, 2);     // 7
  ChooseComboRow(detail, id::kStopBits, 2);     // 2
  ChooseComboRow(detail, id::kFlowControl, 0);  // None
  const std::optional<std::wstring> com1Before = PortValueData(L"COM1:");

  HWND page = NextToSelectPort(detail);
  ASSERT_TRUE(page);
  Press(page, id::kInstall);
  EXPECT_EQ(AnswerMessageBox(kInstallTimeoutMs), L"Completed!");
  EXPECT_TRUE(Ended());

  // "None" is stored as a blank, so the settings keep their five fields.
  EXPECT_EQ(PortValueData(L"COM2:"), L"9600,O,7,2, ");
  EXPECT_EQ(PortValueData(L"COM1:"), com1Before);
  EXPECT_EQ(FindPrinter(kModelNames[kInitialModelRow]).portName, L"LPT1:");
}

// --- A package with a file missing ------------------------------------------------

class MissingFile : public WizardTest {
 protected:
  void TearDown() override {
    WizardTest::TearDown();
    if (!package_.empty()) RemoveTree(package_);
  }
  std::wstring package_;
};

TEST_F(MissingFile, InstallReportsTheFailedStepsInsteadOfCompleted) {
  const std::wstring missing = L"WQ350V.GPD";  // the initial model's data file
  package_ = TempFolder(L"ds-e2e-missing-file");
  RemoveTree(package_);
  CopyTreeWithout(PackagePath(), package_, missing);
  ASSERT_EQ(GetFileAttributesW((package_ + L"\\x64\\" + missing).c_str()),
            INVALID_FILE_ATTRIBUTES);
  ASSERT_NE(GetFileAttributesW((package_ + L"\\x64\\uniDRV.DLL").c_str()),
            INVALID_FILE_ATTRIBUTES);

  App::Options options;
  options.currentDirectory = package_;
  HWND page = StartAtSelectPort(options);
  ASSERT_TRUE(page);
  Press(page, id::kInstall);

  const std::optional<std::wstring> message = AnswerMessageBox(kInstallTimeoutMs);
  ASSERT_TRUE(message) << "no message box; on screen: " << Utf8(app().DescribeWindows());
  const std::wstring prefix = L"The installation did not complete. These steps failed:";
  EXPECT_EQ(message->substr(0, prefix.size()), prefix) << Utf8(*message);
  EXPECT_NE(message->find(missing), std::wstring::npos) << Utf8(*message);
  // No "Completed!" follows: the program ends once the report is read.
  EXPECT_TRUE(Ended());
}

}  // namespace
}  // namespace e2e
