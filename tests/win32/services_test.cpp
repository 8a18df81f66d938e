// The Windows services one by one, against the prefix's real spooler,
// file system and registry.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <algorithm>

#include "catalogue.h"
#include "install.h"
#include "support.h"
#include "text.h"
#include "win_services.h"

namespace {

const wchar_t kPortsKeyW[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const wchar_t kTestKey[] = L"Software\\DriverSetup Tests";

std::wstring SystemDirectory() {
  const UINT needed = GetSystemDirectoryW(nullptr, 0);
  std::wstring directory(needed, L'\0');
  directory.resize(GetSystemDirectoryW(&directory[0], needed));
  return directory;
}

// ---------------------------------------------------------------------------

struct EnvironmentCase {
  const char* environment;
  const wchar_t* subdirectory;
};
void PrintTo(const EnvironmentCase& c, std::ostream* os) { *os << c.environment; }

class DriverDirectory : public testing::TestWithParam<EnvironmentCase> {};

TEST_P(DriverDirectory, IsTheSpoolersFolderForTheEnvironment) {
  WinSpooler spooler;
  std::string directory;
  const CallResult result = spooler.QueryDriverDirectory(GetParam().environment, directory);
  ASSERT_TRUE(result.ok) << result.error;
  const std::wstring wide = Utf8ToWide(directory);
  EXPECT_EQ(Lower(wide),
            Lower(SystemDirectory() + L"\\spool\\drivers\\" + GetParam().subdirectory));
  EXPECT_TRUE(IsDirectory(wide));
}

INSTANTIATE_TEST_SUITE_P(Environments, DriverDirectory,
                         testing::Values(EnvironmentCase{"Windows x64", L"x64"},
                                         EnvironmentCase{"Windows NT x86", L"w32x86"}));

TEST(DriverDirectoryFailure, UnknownEnvironmentGivesTheSystemsReason) {
  WinSpooler spooler;
  std::string directory = "untouched";
  const CallResult result = spooler.QueryDriverDirectory("Windows 3.11", directory);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, SystemText(ERROR_INVALID_ENVIRONMENT));
  EXPECT_EQ(directory, "untouched");
}

// ---------------------------------------------------------------------------

TEST(FileSystem, CopyReplacesAnExistingFile) {
  TempFolder folder(L"copy");
  WriteFileText(folder / L"源.GPD", "new content");
  WriteFileText(folder / L"目标.GPD", "old content that is longer than the new one");
  WinFileSystem files;
  const CallResult result = files.CopyFileOver(WideToUtf8(folder / L"源.GPD"),
                                               WideToUtf8(folder / L"目标.GPD"));
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(ReadFileText(folder / L"目标.GPD"), std::optional<std::string>("new content"));
}

TEST(FileSystem, CopyOfAMissingFileGivesTheSystemsReason) {
  TempFolder folder(L"copy-missing");
  WinFileSystem files;
  const CallResult result = files.CopyFileOver(WideToUtf8(folder / L"none.DLL"),
                                               WideToUtf8(folder / L"copy.DLL"));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, SystemText(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(ReadFileText(folder / L"copy.DLL"));
}

TEST(FileSystem, CurrentDirectoryFollowsTheProcess) {
  TempFolder folder(L"cwd");
  WinFileSystem files;
  const std::string before = files.CurrentDirectory();
  ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
  const std::string inside = files.CurrentDirectory();
  SetCurrentDirectoryW(Utf8ToWide(before).c_str());
  EXPECT_EQ(inside, WideToUtf8(folder.Path()));
  EXPECT_EQ(files.CurrentDirectory(), before);
}

TEST(FileSystem, ProgramDirectoryHoldsThisProgram) {
  WinFileSystem files;
  const std::wstring directory = Utf8ToWide(files.ProgramDirectory());
  ASSERT_FALSE(directory.empty());
  EXPECT_NE(directory.back(), L'\\');
  const DWORD attributes = GetFileAttributesW((directory + L"\\win32_tests.exe").c_str());
  EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
}

TEST(FileSystem, DirectoryExistsOnlyForFolders) {
  TempFolder folder(L"exists");
  WriteFileText(folder / L"file.txt", "x");
  WinFileSystem files;
  EXPECT_TRUE(files.DirectoryExists(WideToUtf8(folder.Path())));
  EXPECT_FALSE(files.DirectoryExists(WideToUtf8(folder / L"file.txt")));
  EXPECT_FALSE(files.DirectoryExists(WideToUtf8(folder / L"没有")));
}

// ---------------------------------------------------------------------------

struct RegistryCase {
  const char* label;
  RegistryRoot root;
  HKEY rootKey;
};
void PrintTo(const RegistryCase& c, std::ostream* os) { *os << c.label; }

class Registry : public testing::TestWithParam<RegistryCase> {
 protected:
  void TearDown() override { DeleteRegistryTree(GetParam().rootKey, kTestKey); }
  std::string KeyPath(const std::wstring& below) const {
    return WideToUtf8(std::wstring(kTestKey) + L"\\" + below);
  }
};

TEST_P(Registry, WritesAStringWithItsClosingNul) {
  const RegistryCase& c = GetParam();
  WinRegistry registry;
  const std::string data = "WQ-350 Series,winspool,端口7:";
  const RegistryWriteResult written =
      registry.SetString(c.root, KeyPath(L"新键\\Windows"), "设备", data, /*createKey=*/true);
  ASSERT_EQ(written.status, RegistryWriteStatus::Written) << written.error;

  const auto value = ReadRegistryValue(c.rootKey, std::wstring(kTestKey) + L"\\新键\\Windows",
                                       L"设备");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
  const std::wstring expected = Utf8ToWide(data);
  EXPECT_EQ(value->bytes.size(), (expected.size() + 1) * sizeof(wchar_t));
  EXPECT_EQ(value->Text(), expected);
}

TEST_P(Registry, MissingKeyIsNotCreatedUnlessAsked) {
  const RegistryCase& c = GetParam();
  WinRegistry registry;
  const RegistryWriteResult refused =
      registry.SetString(c.root, KeyPath(L"Absent"), "COM1:", "9600,N,8,1, ", false);
  EXPECT_EQ(refused.status, RegistryWriteStatus::KeyNotOpened);
  EXPECT_EQ(refused.error, SystemText(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(RegistryKeyExists(c.rootKey, std::wstring(kTestKey) + L"\\Absent"));

  const RegistryWriteResult created =
      registry.SetString(c.root, KeyPath(L"Absent"), "COM1:", "9600,N,8,1, ", true);
  ASSERT_EQ(created.status, RegistryWriteStatus::Written) << created.error;
  const auto value = ReadRegistryValue(c.rootKey, std::wstring(kTestKey) + L"\\Absent", L"COM1:");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->Text(), L"9600,N,8,1, ");
}

TEST_P(Registry, ExistingValueIsReplacedThroughAnOpenedKey) {
  const RegistryCase& c = GetParam();
  WriteRegistryText(c.rootKey, std::wstring(kTestKey) + L"\\Ports", L"COM2:", L"a much longer old value");
  WinRegistry registry;
  const RegistryWriteResult written =
      registry.SetString(c.root, KeyPath(L"Ports"), "COM2:", "300,E,6,1.5,x", false);
  ASSERT_EQ(written.status, RegistryWriteStatus::Written) << written.error;
  const auto value = ReadRegistryValue(c.rootKey, std::wstring(kTestKey) + L"\\Ports", L"COM2:");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->bytes.size(), sizeof(L"300,E,6,1.5,x"));
  EXPECT_EQ(value->Text(), L"300,E,6,1.5,x");
}

INSTANTIATE_TEST_SUITE_P(
    Roots, Registry,
    testing::Values(RegistryCase{"CurrentUser", RegistryRoot::CurrentUser, HKEY_CURRENT_USER},
                    RegistryCase{"LocalMachine", RegistryRoot::LocalMachine, HKEY_LOCAL_MACHINE}),
    [](const testing::TestParamInfo<RegistryCase>& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------

std::vector<std::wstring> PortNames() {
  std::vector<PortListing> ports;
  std::wstring error;
  EXPECT_TRUE(EnumeratePorts(ports, &error)) << WideToUtf8(error);
  std::vector<std::wstring> names;
  for (const PortListing& port : ports) names.push_back(port.name);
  return names;
}

class PortListingTest : public testing::Test {
 protected:
  void TearDown() override {
    for (const wchar_t* name : kAdded) DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPortsKeyW, name);
  }
  static constexpr const wchar_t* kAdded[] = {L"ПОРТ1:", L"端口7:"};
};

TEST_F(PortListingTest, ListsThePortsKeyInTheRegistrysOrder) {
  std::vector<PortListing> ports;
  std::wstring error = L"untouched";
  ASSERT_TRUE(EnumeratePorts(ports, &error));
  EXPECT_EQ(error, L"untouched");
  ASSERT_FALSE(ports.empty());
  std::vector<std::wstring> names;
  for (const PortListing& port : ports) {
    names.push_back(port.name);
    EXPECT_FALSE(port.description.empty()) << WideToUtf8(port.name);
  }
  EXPECT_EQ(names, RegistryValueNames(HKEY_LOCAL_MACHINE, kPortsKeyW));
}

TEST_F(PortListingTest, NonAsciiPortsAppearAndGoWithTheirValues) {
  const std::vector<std::wstring> before = PortNames();
  for (const wchar_t* name : kAdded) WriteRegistryText(HKEY_LOCAL_MACHINE, kPortsKeyW, name, L"");

  const std::vector<std::wstring> during = PortNames();
  EXPECT_EQ(during, RegistryValueNames(HKEY_LOCAL_MACHINE, kPortsKeyW));
  for (const wchar_t* name : kAdded) {
    EXPECT_EQ(std::count(during.begin(), during.end(), name), 1) << WideToUtf8(name);
  }
  EXPECT_EQ(during.size(), before.size() + 2);

  for (const wchar_t* name : kAdded) DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPortsKeyW, name);
  EXPECT_EQ(PortNames(), before);
}

// The Select Port page shows at most 256 rows; the listing itself must not
// stop there.
TEST(ManyPorts, AreAllListed) {
  const std::vector<std::wstring> before = PortNames();
  std::vector<std::wstring> added;
  for (int i = 0; i < 300; ++i) added.push_back(L"DSPORT" + std::to_wstring(1000 + i) + L":");
  for (const std::wstring& name : added) WriteRegistryText(HKEY_LOCAL_MACHINE, kPortsKeyW, name, L"");
  const std::vector<std::wstring> during = PortNames();
  for (const std::wstring& name : added) DeleteRegistryValue(HKEY_LOCAL_MACHINE, kPortsKeyW, name);

  EXPECT_EQ(during.size(), before.size() + added.size());
  for (const std::wstring& name : added) {
    EXPECT_EQ(std::count(during.begin(), during.end(), name), 1) << WideToUtf8(name);
  }
}

TEST(MonitorListing, ListsTheInstalledMonitors) {
  std::vector<std::wstring> names;
  std::wstring error;
  ASSERT_TRUE(EnumerateMonitors(names, &error)) << WideToUtf8(error);
  std::vector<std::wstring> installed = RegistrySubkeyNames(
      HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Print\\Monitors");
  ASSERT_FALSE(installed.empty());
  std::sort(names.begin(), names.end());
  std::sort(installed.begin(), installed.end());
  EXPECT_EQ(names, installed);
}

// ---------------------------------------------------------------------------

TEST(Spooler, PrinterForAnUnknownDriverIsRefusedWithTheReason) {
  WinSpooler spooler;
  const AddPrinterResult added = spooler.AddPrinterOnPort(
      PrinterRecord{"无驱动打印机", "LPT1:", "No Such Driver 无", "WinPrint", "RAW"});
  EXPECT_FALSE(added.result.ok);
  EXPECT_EQ(added.result.error, SystemText(ERROR_UNKNOWN_PRINTER_DRIVER));
  EXPECT_FALSE(added.alreadyExists);
  EXPECT_EQ(added.handle, 0u);
}

// Registers a driver from placeholder files put straight into the driver
// directory, as the install would have staged them.
void StageAndRegister(WinSpooler& spooler, const std::string& environment, int modelRow) {
  std::string directory;
  ASSERT_TRUE(spooler.QueryDriverDirectory(environment, directory).ok);
  const DriverRecord record = MakeDriverRecord(environment, modelRow);
  std::vector<std::string> files = {record.driverPath, record.dataFile, record.configFile,
                                    record.helpFile};
  for (size_t at = 0; at < record.dependentFiles.size() && record.dependentFiles[at] != '\0';
       at = record.dependentFiles.find('\0', at) + 1) {
    files.push_back(record.dependentFiles.c_str() + at);
  }
  for (std::string file : files) {
    if (file[0] != '\\') file = "\\" + file;
    WriteFileText(Utf8ToWide(directory + file), "placeholder\r\n");
  }
  const CallResult registered = spooler.RegisterDriver(record);
  ASSERT_TRUE(registered.ok) << registered.error;
}

TEST(Spooler, PrinterAndDriverAreRemovedByNameAndAbsenceIsToldApart) {
  const int row = 11;
  const std::string name = ModelCatalogue::DisplayName(row);
  WinSpooler spooler;
  StageAndRegister(spooler, "Windows x64", row);
  const AddPrinterResult added = spooler.AddPrinterOnPort(MakePrinterRecord(row, "LPT2:"));
  ASSERT_TRUE(added.result.ok) << added.result.error;
  ASSERT_TRUE(spooler.ClosePrinterHandle(added.handle).ok);

  bool notFound = true;
  CallResult removed = DeletePrinterByName(name, &notFound);
  EXPECT_TRUE(removed.ok) << removed.error;
  EXPECT_FALSE(notFound);
  EXPECT_FALSE(ReadPrinter(Utf8ToWide(name)));

  removed = DeletePrinterByName(name, &notFound);
  EXPECT_FALSE(removed.ok);
  EXPECT_TRUE(notFound);

  bool inUse = true;
  removed = DeleteDriverByName(name, "Windows x64", &notFound, &inUse);
  EXPECT_TRUE(removed.ok) << removed.error;
  EXPECT_FALSE(notFound);
  EXPECT_FALSE(inUse);
  EXPECT_FALSE(FindDriver(L"Windows x64", Utf8ToWide(name)));

  removed = DeleteDriverByName(name, "Windows x64", &notFound, &inUse);
  EXPECT_FALSE(removed.ok);
  EXPECT_TRUE(notFound);
  EXPECT_FALSE(inUse);
  EXPECT_EQ(removed.error, SystemText(ERROR_UNKNOWN_PRINTER_DRIVER));
}

// ---------------------------------------------------------------------------

TEST(SystemFacts, BothVersionRecordSizesGiveTheSameNtVersion) {
  WinVersionQuery query;
  const auto extended = query.Query(kVersionInfoExSize);
  const auto plain = query.Query(kVersionInfoSize);
  ASSERT_TRUE(extended);
  ASSERT_TRUE(plain);
  EXPECT_EQ(extended->platformId, static_cast<uint32_t>(VER_PLATFORM_WIN32_NT));
  EXPECT_GE(extended->major, 5u);
  EXPECT_EQ(plain->platformId, extended->platformId);
  EXPECT_EQ(plain->major, extended->major);
  EXPECT_EQ(plain->minor, extended->minor);
}

TEST(SystemFacts, RecordSizeTheSystemDoesNotKnowIsRefused) {
  WinVersionQuery query;
  EXPECT_FALSE(query.Query(100));
  EXPECT_FALSE(query.Query(kVersionInfoExSize + 4));
}

TEST(SystemFacts, SixtyFourBitProcessIsNotUnderWow64) {
  // This test program is built for x64; WOW64 is for 32-bit processes only.
  EXPECT_FALSE(IsRunningUnderWow64());
}

}  // namespace
