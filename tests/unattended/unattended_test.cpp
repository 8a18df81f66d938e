// The unattended mode of the real program under Wine: its exit codes, its
// log, and what it leaves in the spooler and the registry.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const wchar_t* const kWindowsKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

std::wstring Env(const wchar_t* name) {
  const wchar_t* v = _wgetenv(name);
  return v ? v : L"";
}

std::wstring TempFolder(const std::wstring& leaf) {
  std::wstring dir(MAX_PATH + 1, L'\0');
  dir.resize(GetTempPathW(static_cast<DWORD>(dir.size()), dir.data()));
  return dir + leaf;
}

void WriteFile(const std::wstring& path, const std::string& text) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD n;
  ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
  CloseHandle(f);
}

std::string ReadFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A driver package with placeholder files for one model, in a folder of its own.
std::wstring MakePackage(const std::wstring& name, const std::wstring& dataFile) {
  const std::wstring root = TempFolder(name);
  CreateDirectoryW(root.c_str(), nullptr);
  const std::wstring x64 = root + L"\\x64";
  CreateDirectoryW(x64.c_str(), nullptr);
  for (const wchar_t* f : {L"WQ3T.DLL", L"uniDRVui.DLL", L"uniDRV.DLL", L"UNIDRV.HLP", L"UNIRES.DLL",
                           L"TTFSUB.GPD", L"STDNAMES.GPD"}) {
    WriteFile(x64 + L"\\" + f, "placeholder\r\n");
  }
  WriteFile(x64 + L"\\" + dataFile, "placeholder\r\n");
  return root;
}

// Starts the program with the arguments in the folder; false if it could not.
bool StartProgram(const std::wstring& program, const std::wstring& args,
                  const std::wstring& directory, PROCESS_INFORMATION& pi) {
  std::wstring command = L"\"" + program + L"\" " + args;
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  pi = {};
  if (CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     directory.c_str(), &si, &pi)) {
    return true;
  }
  ADD_FAILURE() << "cannot start " << std::string(program.begin(), program.end());
  return false;
}

// A dialog of that caption once it is up, or null after 10 s.
HWND WaitForDialog(const wchar_t* caption) {
  for (int i = 0; i < 200; ++i) {
    if (HWND window = FindWindowW(L"#32770", caption)) return window;
    Sleep(50);
  }
  return nullptr;
}

// Runs the program with the arguments and returns its exit code; a program
// that shows a window and waits for a user never ends, and fails the test.
DWORD RunProgram(const std::wstring& args, const std::wstring& directory,
                 const std::wstring& program = Env(L"DS_PROGRAM")) {
  PROCESS_INFORMATION pi;
  if (!StartProgram(program, args, directory, pi)) return 0xFFFFFFFF;
  DWORD code = 0xFFFFFFFF;
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the program did not end by itself";
    TerminateProcess(pi.hProcess, 1);
  } else {
    GetExitCodeProcess(pi.hProcess, &code);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

bool PrinterExists(const std::wstring& name, std::wstring* port = nullptr, std::wstring* driver = nullptr) {
  HANDLE h = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &h, nullptr)) return false;
  DWORD needed = 0;
  GetPrinterW(h, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (GetPrinterW(h, 2, buffer.data(), needed, &needed)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    if (port) *port = info->pPortName ? info->pPortName : L"";
    if (driver) *driver = info->pDriverName ? info->pDriverName : L"";
  }
  ClosePrinter(h);
  return true;
}

bool DriverExists(const std::wstring& name) {
  DWORD needed = 0, count = 0;
  EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(L"Windows x64"), 1, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (!EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(L"Windows x64"), 1, buffer.data(), needed, &needed, &count)) return false;
  const auto* info = reinterpret_cast<const DRIVER_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (name == info[i].pName) return true;
  }
  return false;
}

std::wstring Device() {
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kWindowsKey, L"Device", RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS) return L"";
  std::wstring value(size / sizeof(wchar_t), L'\0');
  RegGetValueW(HKEY_CURRENT_USER, kWindowsKey, L"Device", RRF_RT_REG_SZ, nullptr, value.data(), &size);
  value.resize(wcslen(value.c_str()));
  return value;
}

void SetDevice(const std::wstring& value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kWindowsKey, L"Device", REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

class Unattended : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(Env(L"DS_PROGRAM").empty()) << "DS_PROGRAM names the program";
    package = MakePackage(L"ds-package", L"WQ350V.GPD");
    for (const wchar_t* f : {L"WQ310.GPD", L"WQ340.GPD"}) WriteFile(package + L"\\x64\\" + f, "placeholder\r\n");
    log = TempFolder(L"ds-unattended.log");
    DeleteFileW(log.c_str());
    SetDevice(L"Sentinel,winspool,LPT3:");
  }
  void TearDown() override {
    for (const wchar_t* name : {L"WQ-350V Series", L"WQ-310 Series", L"WQ-340 Series"}) {
      HANDLE h = nullptr;
      PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
      if (OpenPrinterW(const_cast<wchar_t*>(name), &h, &access)) {
        DeletePrinter(h);
        ClosePrinter(h);
      }
      DeletePrinterDriverW(nullptr, const_cast<wchar_t*>(L"Windows x64"), const_cast<wchar_t*>(name));
    }
  }
  std::wstring package;
  std::wstring log;
};

TEST_F(Unattended, InstallByNameHoldsInTheSpoolerAndRegistry) {
  EXPECT_EQ(RunProgram(L"/quiet /model \"WQ-350V Series\" /port LPT1: /log \"" + log + L"\"", package), 0u);
  std::wstring port, driver;
  ASSERT_TRUE(PrinterExists(L"WQ-350V Series", &port, &driver));
  EXPECT_EQ(port, L"LPT1:");
  EXPECT_EQ(driver, L"WQ-350V Series");
  EXPECT_TRUE(DriverExists(L"WQ-350V Series"));
  EXPECT_EQ(Device(), L"WQ-350V Series,winspool,LPT1:");
  // The detection rule the README gives to deployment systems.
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\WQ-350V Series", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  const std::string text = ReadFile(log);
  EXPECT_NE(text.find("OK      Create the printer \"WQ-350V Series\" on port LPT1:"), std::string::npos) << text;
  EXPECT_NE(text.find("Exit code 0"), std::string::npos) << text;
}

TEST_F(Unattended, InstallByRowWithDefaultNoLeavesTheDefaultPrinterAlone) {
  EXPECT_EQ(RunProgram(L"/quiet /model 0 /port COM2: /default no", package), 0u);
  std::wstring port;
  ASSERT_TRUE(PrinterExists(L"WQ-310 Series", &port));
  EXPECT_EQ(port, L"COM2:");
  EXPECT_EQ(Device(), L"Sentinel,winspool,LPT3:");
}

TEST_F(Unattended, MissingDriverFileFailsAndTheLogNamesIt) {
  const std::wstring broken = MakePackage(L"ds-broken", L"WQ340.GPD");
  const std::wstring missing = broken + L"\\x64\\UNIRES.DLL";
  DeleteFileW(missing.c_str());
  EXPECT_EQ(RunProgram(L"/quiet /model \"WQ-340 Series\" /port LPT1: /log \"" + log + L"\"", broken), 1603u);
  const std::string text = ReadFile(log);
  const std::string missingUtf8(missing.begin(), missing.end());
  EXPECT_NE(text.find("FAILED  Copy " + missingUtf8), std::string::npos) << text;
  EXPECT_NE(text.find("Exit code 1603"), std::string::npos) << text;
  EXPECT_EQ(Device(), L"Sentinel,winspool,LPT3:");
}

TEST_F(Unattended, CommandLinesNotUnderstoodChangeNothing) {
  for (const std::wstring args : {L"/quiet /model \"WQ-999 Series\" /port LPT1:", L"/quiet /model 5 /port LPT1: /force",
                                  L"/quiet /model 5 /port", L"/quiet /model 5 /port LPT1: /default maybe"}) {
    SCOPED_TRACE(std::string(args.begin(), args.end()));
    EXPECT_EQ(RunProgram(args + L" /log \"" + log + L"\"", package), 1639u);
    EXPECT_FALSE(PrinterExists(L"WQ-350V Series"));
    EXPECT_EQ(GetFileAttributesW(log.c_str()), INVALID_FILE_ATTRIBUTES) << "a log was written";
  }
  EXPECT_EQ(Device(), L"Sentinel,winspool,LPT3:");
}

TEST_F(Unattended, RemoveLeavesNeitherPrinterNorDriverAndSaysWhenNothingWasThere) {
  ASSERT_EQ(RunProgram(L"/quiet /model 5 /port LPT1:", package), 0u);
  ASSERT_TRUE(PrinterExists(L"WQ-350V Series"));
  EXPECT_EQ(RunProgram(L"/quiet /remove /model \"WQ-350V Series\" /log \"" + log + L"\"", package), 0u);
  EXPECT_FALSE(PrinterExists(L"WQ-350V Series"));
  EXPECT_FALSE(DriverExists(L"WQ-350V Series"));
  EXPECT_EQ(RunProgram(L"/quiet /remove /model 5 /log \"" + log + L"\"", package), 0u);
  const std::string text = ReadFile(log);
  EXPECT_NE(text.find("Delete printer \"WQ-350V Series\": not installed, nothing to delete"), std::string::npos) << text;
}

// Input met in the field: a deep non-ASCII folder, a very long port name,
// a spooler without port monitors. The program ends by itself, with an exit
// code that tells the truth and a log that says why.
TEST_F(Unattended, CopesWithDeepFoldersLongPortsAndNoMonitors) {
  std::wstring deep = package;
  while (deep.size() < 210) {
    deep += L"\\Пакет драйвера 打印机";
    CreateDirectoryW(deep.c_str(), nullptr);
  }
  const std::wstring deepPackage = MakePackage(deep.substr(TempFolder(L"").size()), L"WQ350V.GPD");
  EXPECT_EQ(RunProgram(L"/quiet /model 5 /port LPT1: /log \"" + log + L"\"", deepPackage), 0u);
  EXPECT_TRUE(PrinterExists(L"WQ-350V Series"));

  const std::wstring longPort = std::wstring(299, L'P') + L":";
  const DWORD longPortExit = RunProgram(L"/quiet /model 5 /port " + longPort + L" /log \"" + log + L"\"", package);
  EXPECT_TRUE(longPortExit == 0 || longPortExit == 1603) << longPortExit;

  const std::wstring monitor = L"System\\CurrentControlSet\\Control\\Print\\Monitors\\Local Port";
  ASSERT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, monitor.c_str()), ERROR_SUCCESS);
  const DWORD noMonitorExit = RunProgram(L"/quiet /model 0 /port LPT1: /log \"" + log + L"\"", package);
  const wchar_t driver[] = L"localspl.dll";
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, monitor.c_str(), L"Driver", REG_SZ, driver, sizeof(driver));
  EXPECT_TRUE(noMonitorExit == 0 || noMonitorExit == 1603) << noMonitorExit;

  // One run, one closing line each.
  const std::string text = ReadFile(log);
  size_t runs = 0;
  for (size_t at = text.find("Exit code "); at != std::string::npos; at = text.find("Exit code ", at + 1)) ++runs;
  EXPECT_EQ(runs, 3u) << text;
}

std::wstring FolderOfThisProgram() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L'\\'));
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A DLL left beside a downloaded setup program under a system DLL's name is
// not loaded: the spooler and the common controls come from the system
// folder only. Wine prefers its own DLLs unless told otherwise, so it is told
// (for these two programs) to take one found on the search path first, as
// Windows does for DLLs that are not known DLLs; an ordinary program shows
// that the plant then works.
TEST_F(Unattended, IgnoresDllsPlantedBesideIt) {
  const std::wstring dir = TempFolder(L"ds-planted");
  CreateDirectoryW(dir.c_str(), nullptr);
  const std::wstring tests = FolderOfThisProgram();
  const std::wstring program = dir + L"\\DriverSetup.exe";
  const std::wstring control = dir + L"\\plant_control.exe";
  ASSERT_TRUE(CopyFileW(Env(L"DS_PROGRAM").c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW((tests + L"\\plant_control.exe").c_str(), control.c_str(), FALSE));
  for (const wchar_t* name : {L"winspool.drv", L"comctl32.dll"}) {
    ASSERT_TRUE(CopyFileW((tests + L"\\planted.dll").c_str(), (dir + L"\\" + name).c_str(), FALSE));
  }
  const std::wstring spoolerMark = L"C:\\planted-winspool.drv.txt";
  const std::wstring controlsMark = L"C:\\planted-comctl32.dll.txt";
  const std::wstring appDefaults = L"Software\\Wine\\AppDefaults\\";
  for (const wchar_t* exe : {L"plant_control.exe", L"DriverSetup.exe"}) {
    for (const wchar_t* dll : {L"winspool.drv", L"comctl32"}) {
      const wchar_t order[] = L"native,builtin";
      RegSetKeyValueW(HKEY_CURRENT_USER, (appDefaults + exe + L"\\DllOverrides").c_str(), dll, REG_SZ,
                      order, sizeof(order));
    }
  }

  DeleteFileW(spoolerMark.c_str());
  EXPECT_EQ(RunProgram(L"", dir, control), 0u);
  EXPECT_TRUE(Exists(spoolerMark)) << "the plant would not be loaded at all: the test shows nothing";

  DeleteFileW(spoolerMark.c_str());
  DeleteFileW(controlsMark.c_str());
  EXPECT_EQ(RunProgram(L"/quiet /model 5 /port LPT1:", package, program), 0u);
  EXPECT_TRUE(PrinterExists(L"WQ-350V Series"));
  // The wizard loads the common controls before its first page.
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(StartProgram(program, L"", package, pi));
  EXPECT_NE(WaitForDialog(L"Select OS (x86/x64)"), nullptr);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (const wchar_t* exe : {L"plant_control.exe", L"DriverSetup.exe"}) {
    RegDeleteTreeW(HKEY_CURRENT_USER, (appDefaults + exe).c_str());
  }

  EXPECT_FALSE(Exists(spoolerMark)) << "the planted spooler was loaded";
  EXPECT_FALSE(Exists(controlsMark)) << "the planted common controls were loaded";
}

// Without /quiet the usage is shown in a message box, and nothing is done.
TEST_F(Unattended, UsageIsShownWithoutQuiet) {
  struct Case {
    const wchar_t* args;
    const wchar_t* textPart;
    DWORD exitCode;
  };
  for (const Case& c : {Case{L"/?", L"/quiet /model", 0}, Case{L"/model 5 /port LPT1:", L"not understood", 1639},
                        Case{L"/bogus", L"unknown switch /bogus", 1639}}) {
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(StartProgram(Env(L"DS_PROGRAM"), c.args, package, pi));
    HWND box = WaitForDialog(L"DriverSetup");
    ASSERT_NE(box, nullptr) << "no message box";
    std::wstring text(4096, L'\0');
    text.resize(GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size())));
    EXPECT_NE(text.find(c.textPart), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, c.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  EXPECT_FALSE(PrinterExists(L"WQ-350V Series"));
}

}  // namespace
