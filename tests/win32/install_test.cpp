// The whole install on the prefix's real spooler and registry, from a sample
// package made in a temporary folder.
#include <gtest/gtest.h>

#include "catalogue.h"
#include "install.h"
#include "support.h"
#include "text.h"
#include "win_services.h"

namespace {

const wchar_t kWindowsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const wchar_t kPortsKeyW[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

class FixedChoices : public IInstallChoices {
 public:
  FixedChoices(int model, int portIndex, bool setDefault, SerialSelection serial)
      : model_(model), portIndex_(portIndex), setDefault_(setDefault), serial_(serial) {}
  int ModelRow() override { return model_; }
  int PortListIndex() override { return portIndex_; }
  bool SetAsDefaultPrinter() override { return setDefault_; }
  SerialSelection SerialChoices() override { return serial_; }

 private:
  int model_, portIndex_;
  bool setDefault_;
  SerialSelection serial_;
};

class RecordingFeedback : public IInstallFeedback {
 public:
  void SetProgress(int position) override { progress.push_back(position); }
  void ShowRegistryError(const std::string& message) override { errors.push_back(message); }
  void Pause(int) override {}
  std::vector<int> progress;
  std::vector<std::string> errors;
};

std::wstring DisplayNameW(int row) { return Utf8ToWide(ModelCatalogue::DisplayName(row)); }

std::wstring DriverDirectory(const char* environment) {
  WinSpooler spooler;
  std::string directory;
  EXPECT_TRUE(spooler.QueryDriverDirectory(environment, directory).ok);
  return Utf8ToWide(directory);
}

std::optional<std::wstring> DeviceValue() {
  const auto value = ReadRegistryValue(HKEY_CURRENT_USER, kWindowsKey, L"Device");
  if (!value) return std::nullopt;
  return value->Text();
}

// Runs installs from inside a package folder, as the program is run, and
// gives each test a clean "Device" to look at.
class InstallTest : public testing::Test {
 protected:
  void SetUp() override {
    previousDirectory_ = Utf8ToWide(WinFileSystem().CurrentDirectory());
    MakeSamplePackage(package_.Path());
    ASSERT_TRUE(SetCurrentDirectoryW(package_.Path().c_str()));
    DeleteRegistryValue(HKEY_CURRENT_USER, kWindowsKey, L"Device");
  }
  void TearDown() override { SetCurrentDirectoryW(previousDirectory_.c_str()); }

  InstallReport Install(const ArchProfile& profile, const std::string& port,
                        FixedChoices choices) {
    InstallServices services{spooler_, files_, registry_, choices, feedback_};
    return InstallDriverPackage(profile, port, services);
  }

  TempFolder package_{L"package"};
  WinSpooler spooler_;
  WinFileSystem files_;
  WinRegistry registry_;
  RecordingFeedback feedback_;

 private:
  std::wstring previousDirectory_;
};

// ---------------------------------------------------------------------------

struct InstallCase {
  const char* label;
  const ArchProfile* profile;
  const wchar_t* arch;  // the package folder the files come from
  int modelRow;
  const char* port;
  bool setDefault;
  int portListIndex;
  SerialSelection serial;
  const wchar_t* serialValueName;  // null: nothing is written under "Ports"
  const wchar_t* serialText;
};
void PrintTo(const InstallCase& c, std::ostream* os) { *os << c.label; }

// The spooler adds printers only for drivers of its own environment, so the
// x86 profile yields no printer in a 64-bit process: the program never uses
// that profile on 64-bit Windows, where it is the spooler's own x64 driver
// that the printer needs.
bool IsSpoolersOwnEnvironment(const ArchProfile& profile) {
  const ArchProfile& own = ChooseProfile(sizeof(void*) == 8, IsRunningUnderWow64());
  return std::string(profile.environmentName) == own.environmentName;
}

const wchar_t kEarlierDevice[] = L"Earlier Printer,winspool,LPT3:";

class InstallProfile : public InstallTest, public testing::WithParamInterface<InstallCase> {
 protected:
  // A port of our own making, as a monitor would have added it; taken away
  // again so that other tests see the prefix's own ports.
  void AddPort(const std::wstring& port) {
    if (ReadRegistryValue(HKEY_LOCAL_MACHINE, kPortsKeyW, port)) return;
    WriteRegistryText(HKEY_LOCAL_MACHINE, kPortsKeyW, port, L"");
    addedPort_ = port;
  }
  void TearDown() override {
    if (!addedPort_.empty()) DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPortsKeyW, addedPort_);
    InstallTest::TearDown();
  }

 private:
  std::wstring addedPort_;
};

TEST_P(InstallProfile, LeavesDriverPrinterFilesAndSettingsInTheSystem) {
  const InstallCase& c = GetParam();
  const std::wstring port = Utf8ToWide(c.port);
  AddPort(port);
  WriteRegistryText(HKEY_CURRENT_USER, kWindowsKey, L"Device", kEarlierDevice);
  std::vector<std::pair<std::wstring, std::wstring>> portsBefore;
  for (const std::wstring& name : RegistryValueNames(HKEY_LOCAL_MACHINE, kPortsKeyW)) {
    portsBefore.emplace_back(name, ReadRegistryValue(HKEY_LOCAL_MACHINE, kPortsKeyW, name)->Text());
  }

  const InstallReport report = Install(
      *c.profile, c.port, FixedChoices(c.modelRow, c.portListIndex, c.setDefault, c.serial));
  const bool printerExpected = IsSpoolersOwnEnvironment(*c.profile);
  const std::wstring environment = Utf8ToWide(c.profile->environmentName);
  const std::wstring directory = DriverDirectory(c.profile->environmentName);
  const std::wstring name = DisplayNameW(c.modelRow);
  const std::wstring dataFile = Utf8ToWide(ModelCatalogue::DataFileBaseName(c.modelRow)) + L".GPD";

  if (printerExpected) {
    EXPECT_TRUE(report.Succeeded()) << report.FailureMessage();
  } else {
    std::vector<StepOutcome> failed;
    for (const StepOutcome& step : report.steps) {
      if (!step.ok) failed.push_back(step);
    }
    ASSERT_EQ(failed.size(), c.setDefault ? 2u : 1u) << report.FailureMessage();
    EXPECT_EQ(failed[0].step, "Create the printer \"" + WideToUtf8(name) + "\" on port " + c.port);
    EXPECT_EQ(failed[0].detail, SystemText(ERROR_UNKNOWN_PRINTER_DRIVER));
  }
  EXPECT_TRUE(feedback_.errors.empty());

  // The staged files, copied over from the package's folder for this profile.
  for (const std::wstring& file : {std::wstring(L"WQ3T.DLL"), dataFile, std::wstring(L"uniDRVui.DLL"),
                                   std::wstring(L"uniDRV.DLL"), std::wstring(L"UNIDRV.HLP"),
                                   std::wstring(L"UNIRES.DLL"), std::wstring(L"TTFSUB.GPD"),
                                   std::wstring(L"STDNAMES.GPD")}) {
    EXPECT_EQ(ReadFileText(directory + L"\\" + file), SampleFileContent(file, c.arch))
        << WideToUtf8(file);
  }

  // The spooler keeps its own copies in the version folder and records the
  // environment's version (3), whatever version the record asked for.
  const auto driver = FindDriver(environment, name);
  ASSERT_TRUE(driver) << WideToUtf8(name) << " is not registered";
  const std::wstring kept = Lower(directory + L"\\3\\");
  EXPECT_EQ(driver->version, 3u);
  EXPECT_EQ(driver->environment, environment);
  EXPECT_EQ(Lower(driver->driverPath), kept + L"unidrv.dll");
  EXPECT_EQ(Lower(driver->dataFile), kept + Lower(dataFile));
  EXPECT_EQ(Lower(driver->configFile), kept + L"unidrvui.dll");
  EXPECT_EQ(Lower(driver->helpFile), kept + L"unidrv.hlp");
  std::vector<std::wstring> dependent;
  for (const std::wstring& file : driver->dependentFiles) dependent.push_back(Lower(file));
  EXPECT_EQ(dependent, (std::vector<std::wstring>{kept + L"ttfsub.gpd", kept + L"unires.dll",
                                                  kept + L"stdnames.gpd", kept + L"wq3t.dll"}));
  EXPECT_EQ(driver->monitorName, L"");
  EXPECT_EQ(driver->defaultDataType, L"RAW");
  EXPECT_EQ(ReadFileText(driver->dataFile), SampleFileContent(dataFile, c.arch));

  const auto printer = ReadPrinter(name);
  if (printerExpected) {
    ASSERT_TRUE(printer) << WideToUtf8(name) << " was not created";
    EXPECT_EQ(printer->name, name);
    EXPECT_EQ(printer->port, port);
    EXPECT_EQ(printer->driver, name);
    EXPECT_EQ(printer->printProcessor, L"WinPrint");
    EXPECT_EQ(printer->dataType, L"RAW");
  } else {
    EXPECT_FALSE(printer);
  }

  const auto device = ReadRegistryValue(HKEY_CURRENT_USER, kWindowsKey, L"Device");
  ASSERT_TRUE(device);
  EXPECT_EQ(device->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(device->Text(), c.setDefault && printerExpected ? name + L",winspool," + port
                                                            : std::wstring(kEarlierDevice));

  for (const auto& [valueName, before] : portsBefore) {
    const auto now = ReadRegistryValue(HKEY_LOCAL_MACHINE, kPortsKeyW, valueName);
    ASSERT_TRUE(now) << WideToUtf8(valueName);
    if (c.serialValueName && valueName == c.serialValueName) {
      EXPECT_EQ(now->type, static_cast<DWORD>(REG_SZ));
      EXPECT_EQ(now->bytes.size(), (wcslen(c.serialText) + 1) * sizeof(wchar_t));
      EXPECT_EQ(now->Text(), c.serialText);
    } else {
      EXPECT_EQ(now->Text(), before) << WideToUtf8(valueName) << " changed";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, InstallProfile,
    testing::Values(
        InstallCase{"X64OnLpt1SerialCom1", &kX64Profile, L"x64", 4, "LPT1:", true, 3,
                    {4, 2, 3, 0, 0}, L"COM1:", L"9600,N,8,1, "},
        InstallCase{"X64OnNonAsciiPortSerialCom4", &kX64Profile, L"x64", 0, "端口7:", true, 6,
                    {5, 3, 2, 0, 2}, L"COM4:", L"19200,O,7,1,p"},
        InstallCase{"X64OnFileSerialCom3", &kX64Profile, L"x64", 9, "FILE:", true, 5,
                    {0, 0, 1, 1, 1}, L"COM3:", L"300,E,6,1.5,x"},
        InstallCase{"X64NotDefaultNoSerial", &kX64Profile, L"x64", 2, "LPT2:", false, 2,
                    {4, 2, 3, 0, 0}, nullptr, nullptr},
        InstallCase{"X86OnCom2SerialCom2", &kX86Profile, L"x86", 12, "COM2:", true, 4,
                    {8, 4, 0, 2, 2}, L"COM2:", L"115200,S,5,2,p"},
        InstallCase{"X86OnNonAsciiPortNotDefault", &kX86Profile, L"x86", 3, "ПОРТ1:", false, 0,
                    {4, 2, 3, 0, 0}, nullptr, nullptr}),
    [](const testing::TestParamInfo<InstallCase>& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------

TEST_F(InstallTest, SecondInstallOfTheSameModelSucceedsAndRestagesTheFiles) {
  const int row = 5;
  const InstallReport first = Install(kX64Profile, "LPT1:", FixedChoices(row, 0, true, {}));
  ASSERT_TRUE(first.Succeeded()) << first.FailureMessage();

  WriteFileText(package_ / L"x64\\uniDRV.DLL", "a newer build\r\n");
  const InstallReport second = Install(kX64Profile, "LPT1:", FixedChoices(row, 0, true, {}));
  EXPECT_TRUE(second.Succeeded()) << second.FailureMessage();

  EXPECT_EQ(CountLocalPrinters(DisplayNameW(row)), 1);
  EXPECT_EQ(ReadFileText(DriverDirectory("Windows x64") + L"\\uniDRV.DLL"),
            std::optional<std::string>("a newer build\r\n"));
  EXPECT_EQ(DeviceValue(), DisplayNameW(row) + L",winspool,LPT1:");
}

TEST_F(InstallTest, MissingSourceFolderIsReportedWithItsPaths) {
  TempFolder empty(L"empty");
  ASSERT_TRUE(SetCurrentDirectoryW(empty.Path().c_str()));
  const int row = 7;
  const InstallReport report = Install(kX64Profile, "LPT1:", FixedChoices(row, 0, true, {}));
  ASSERT_FALSE(report.Succeeded());
  const std::string message = report.FailureMessage();
  for (const char* file : {"WQ3T.DLL", "WQ374.GPD", "STDNAMES.GPD"}) {
    EXPECT_NE(message.find(WideToUtf8(empty / L"x64\\") + file), std::string::npos)
        << file << " not named in:\n" << message;
  }
  EXPECT_FALSE(DeviceValue()) << "Device written after a failed install: "
                              << WideToUtf8(DeviceValue().value_or(L""));
}

TEST_F(InstallTest, MissingSingleFileIsReportedByItsFullPath) {
  const int row = 8;
  const std::wstring missing = package_ / L"x64\\WQ374R.GPD";
  ASSERT_TRUE(DeleteFileW(missing.c_str()));
  const InstallReport report = Install(kX64Profile, "LPT1:", FixedChoices(row, 0, true, {}));
  ASSERT_FALSE(report.Succeeded());

  std::vector<StepOutcome> failed;
  for (const StepOutcome& step : report.steps) {
    if (!step.ok) failed.push_back(step);
  }
  ASSERT_FALSE(failed.empty());
  EXPECT_NE(failed.front().step.find(WideToUtf8(missing)), std::string::npos)
      << failed.front().step;
  EXPECT_EQ(failed.front().detail, SystemText(ERROR_FILE_NOT_FOUND));
  EXPECT_NE(report.FailureMessage().find(WideToUtf8(missing)), std::string::npos);
  EXPECT_FALSE(DeviceValue()) << "Device written after a failed install: "
                              << WideToUtf8(DeviceValue().value_or(L""));
}

}  // namespace
