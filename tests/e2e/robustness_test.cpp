// Input a setup program meets in the field: a deep folder with a non-ASCII
// name, a very long port name, a spooler with nothing to offer. The wizard
// must go on, say what happened, and not crash.
#include "wizard.h"

namespace e2e {
namespace {

const wchar_t* const kMonitorsKey = L"System\\CurrentControlSet\\Control\\Print\\Monitors";

// A package folder more than 200 characters deep, named in three scripts.
std::wstring DeepNonAsciiPackage() {
  std::wstring dir = TempFolder(L"驱动程序安装包");
  CreateDirectoryW(dir.c_str(), nullptr);
  while (dir.size() < 210) {
    dir += L"\\Пакет драйвера ünd Dateien 打印机";
    CreateDirectoryW(dir.c_str(), nullptr);
  }
  return dir;
}

class Robustness : public WizardTest {};

TEST_F(Robustness, InstallsFromADeepNonAsciiFolder) {
  const std::wstring package = DeepNonAsciiPackage();
  ASSERT_GT(package.size(), 200u);
  CopyTreeWithout(PackagePath(), package, L"");

  App::Options options;
  options.currentDirectory = package;
  HWND page = StartAtSelectPort(options);
  ASSERT_TRUE(page);
  Press(page, id::kInstall);
  const std::optional<std::wstring> message = AnswerMessageBox(kInstallTimeoutMs);
  ASSERT_TRUE(message);
  EXPECT_EQ(*message, L"Completed!");
  EXPECT_TRUE(Ended());
  EXPECT_TRUE(FindPrinter(kModelNames[kInitialModelRow]).exists);
}

// The spooler may not offer a port name that long at all (Wine's leaves out
// names past its own limit, and the ports after them); the list shows just
// what it offers, and a long name it does offer reaches the printer whole.
TEST_F(Robustness, VeryLongPortNamesAreListedAsOfferedAndInstalledWhole) {
  // Sorted before the 300-character one, which may end the spooler's list.
  const std::wstring longest = std::wstring(250, L'K') + L":";
  AddPortValue(std::wstring(299, L'P') + L":");
  AddPortValue(longest);
  HWND page = StartAtSelectPort();
  ASSERT_TRUE(page);
  RemoteListView list(app(), Item(page, id::kPortView));
  EXPECT_EQ(list.Column(0), SpoolerPortNames());
  const int row = RowOf(list.Column(0), longest);
  ASSERT_NE(row, -1) << "a 251-character port is not listed whole";
  list.SelectRow(row);
  Press(page, id::kInstall);
  const std::optional<std::wstring> message = AnswerMessageBox(kInstallTimeoutMs);
  ASSERT_TRUE(message);
  EXPECT_EQ(*message, L"Completed!");
  EXPECT_TRUE(Ended());
  EXPECT_EQ(FindPrinter(kModelNames[kInitialModelRow]).portName, longest);
}

// Without port monitors the spooler has neither port types nor ports.
class NoMonitors : public WizardTest {
 protected:
  void SetUp() override {
    WizardTest::SetUp();
    ASSERT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kMonitorsKey) + L"\\Local Port").c_str()),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    const wchar_t driver[] = L"localspl.dll";
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, (std::wstring(kMonitorsKey) + L"\\Local Port").c_str(),
                    L"Driver", REG_SZ, driver, sizeof(driver));
    WizardTest::TearDown();
  }
};

TEST_F(NoMonitors, TheWizardSaysWhatIsMissingAndGoesOn) {
  ASSERT_TRUE(SpoolerMonitors().empty());
  ASSERT_TRUE(SpoolerPorts().empty());
  HWND page = StartAtSelectPort();
  ASSERT_TRUE(page);
  RemoteListView ports(app(), Item(page, id::kPortView));
  EXPECT_EQ(ports.RowCount(), 0);

  // Install has no port to use: the user is asked for one, the page stays.
  Press(page, id::kInstall);
  const std::optional<std::wstring> message = AnswerMessageBox();
  ASSERT_TRUE(message);
  EXPECT_EQ(*message, L"Please select a port first.");
  EXPECT_TRUE(IsWindowVisible(page));

  // Create Port lists no port types; New Port... has nothing to ask.
  Press(page, id::kCreatePort);
  HWND create = WaitFor(kCreatePortCaption);
  ASSERT_TRUE(create);
  RemoteListView monitors(app(), Item(create, id::kMonitorView));
  EXPECT_EQ(monitors.RowCount(), 0);
  Press(create, id::kNewPort);
  Press(create, id::kCreateClose);
  EXPECT_TRUE(WaitGone(create));
  EXPECT_TRUE(IsWindowVisible(page));
  EXPECT_EQ(ports.RowCount(), 0);
  Press(page, id::kPortCancel);
  EXPECT_TRUE(WaitGone(page));
  EXPECT_TRUE(app().IsRunning());
}

}  // namespace
}  // namespace e2e
