// Times the wizard and its references from outside, as a user would see
// them: each run starts a fresh process, walks it to the moment measured,
// posts the click, and clocks with the performance counter until the window
// that ends the step is on screen. Program and reference runs alternate so
// that a busy moment of the machine falls on both alike.
//
//   bench_driver first-page RUNS PACKAGE PROGRAM REFERENCE
//   bench_driver install    RUNS PACKAGE PROGRAM REFERENCE
//   bench_driver ports      RUNS PACKAGE PROGRAM REFERENCE FEW MANY
//   bench_driver set-ports  COUNT
//
// Prints "PROGRAM median run..." and "REFERENCE median run..." in
// milliseconds, or "ERROR why" and exits with 1. The port page is timed with
// FEW and with MANY ports of our own in the spooler, switched between the
// runs so that both counts meet the same moments of the machine: it prints
// the two pairs as PROGRAM_FEW, REFERENCE_FEW, PROGRAM_MANY, REFERENCE_MANY,
// and "PORTS few many", the counts the spooler listed. set-ports prints
// "PORTS n".
#include <windows.h>

#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "bench_ids.h"

namespace {

#define WIDEN2(text) L##text
#define WIDEN(text) WIDEN2(text)

const wchar_t* const kSelectOs = L"Select OS (x86/x64)";
const wchar_t* const kDetailSetting = L"Detail Setting (x86/x64)";
const wchar_t* const kSelectPort = L"Select Port (x86/x64)";
const wchar_t* const kMessageCaption = L"DriverSetup";
const int kNext = 1009;
const int kInstall = 1022;
const int kPortView = 1021;
const int kMessageText = 0xFFFF;
// The install waits this long on purpose before it closes the page.
const double kInstallPauseMs = 500;

const wchar_t* const kModel = L"WQ-350V Series";
const wchar_t* const kEnvironment = L"Windows x64";
const wchar_t* const kStagedFiles[] = {L"WQ3T.DLL",   L"WQ350V.GPD",  L"uniDRVui.DLL",
                                       L"uniDRV.DLL", L"UNIDRV.HLP",  L"UNIRES.DLL",
                                       L"TTFSUB.GPD", L"STDNAMES.GPD"};
const wchar_t* const kPortsKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const wchar_t* const kBenchPortPrefix = L"BENCH";

struct Failure {
  std::string what;
};

double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr,
                      nullptr);
  return out;
}

std::wstring WindowText(HWND window) {
  const int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], n + 1)));
  return text;
}

// A started program, ended when the run is over whatever state it is in:
// each run starts from a new process.
class Process {
 public:
  Process(const std::wstring& program, const std::wstring& directory) {
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &info_)) {
      throw Failure{"cannot start " + Utf8(program)};
    }
  }
  ~Process() {
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 10000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Polls every millisecond for a visible dialog with this caption; *seenAt
  // is the clock when it was first seen.
  HWND WaitVisible(const wchar_t* caption, double* seenAt = nullptr, DWORD timeoutMs = 60000) {
    const double start = NowMs();
    for (;;) {
      HWND window = FindWindowW(L"#32770", caption);
      if (window && IsWindowVisible(window)) {
        if (seenAt) *seenAt = NowMs();
        return window;
      }
      if (WaitForSingleObject(info_.hProcess, 1) == WAIT_OBJECT_0) {
        throw Failure{"the program ended while waiting for \"" + Utf8(caption) + "\""};
      }
      if (NowMs() - start > timeoutMs) throw Failure{"\"" + Utf8(caption) + "\" did not appear"};
    }
  }

  // Lets the page finish painting and go idle, so the click is what is timed.
  void Settle() {
    WaitForInputIdle(info_.hProcess, 5000);
    Sleep(250);
  }

 private:
  PROCESS_INFORMATION info_{};
};

void Click(HWND dialog, int button) {
  HWND control = GetDlgItem(dialog, button);
  if (!control) throw Failure{"no button " + std::to_string(button)};
  PostMessageW(control, BM_CLICK, 0, 0);
}

int ListCount(HWND dialog, int list) {
  return static_cast<int>(SendDlgItemMessageW(dialog, list, LVM_GETITEMCOUNT, 0, 0));
}

// ---------------------------------------------------------------------------
// The measurements. Each returns one run's milliseconds.

struct Target {
  std::wstring program;
  std::wstring package;
};

double FirstPage(const Target& t, const wchar_t* caption) {
  const double start = NowMs();
  Process process(t.program, t.package);
  double seen = 0;
  process.WaitVisible(caption, &seen);
  return seen - start;
}

std::wstring DriverDirectory() {
  std::wstring environment = kEnvironment;
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, &environment[0], 1, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed + sizeof(wchar_t));
  if (!GetPrinterDriverDirectoryW(nullptr, &environment[0], 1, buffer.data(), needed, &needed)) {
    throw Failure{"no printer driver directory"};
  }
  return reinterpret_cast<const wchar_t*>(buffer.data());
}

bool PrinterExists(const wchar_t* name) {
  std::wstring text = name;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(&text[0], &printer, nullptr)) return false;
  ClosePrinter(printer);
  return true;
}

// Every install run starts from a spooler without the printer, the driver,
// its staged files or the default-printer value, so each does the same work.
void RemoveInstall() {
  std::wstring name = kModel;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (OpenPrinterW(&name[0], &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
  std::wstring environment = kEnvironment;
  DeletePrinterDriverW(nullptr, &environment[0], &name[0]);
  const std::wstring directory = DriverDirectory() + L"\\";
  for (const wchar_t* file : kStagedFiles) DeleteFileW((directory + file).c_str());
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                    0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, L"Device");
    RegCloseKey(key);
  }
  if (PrinterExists(kModel)) throw Failure{"the printer could not be removed between runs"};
}

// The end of the install sequence: both programs close their page the
// moment the sequence returns. Polling the window's visibility needs nothing
// from the busy thread, so the poll does not wait for the install.
double AwaitPageClosed(HWND page, double start) {
  for (;;) {
    if (!IsWindow(page) || !IsWindowVisible(page)) {
      const double end = NowMs();
      if (!PrinterExists(kModel)) throw Failure{"the install made no printer"};
      return end - start;
    }
    if (NowMs() - start > 60000) throw Failure{"the page did not close"};
    Sleep(1);
  }
}

double ProgramInstall(const Target& t) {
  RemoveInstall();
  Process process(t.program, t.package);
  Click(process.WaitVisible(kSelectOs), kNext);
  Click(process.WaitVisible(kDetailSetting), kNext);
  HWND selectPort = process.WaitVisible(kSelectPort);
  process.Settle();
  const double start = NowMs();
  Click(selectPort, kInstall);
  const double elapsed = AwaitPageClosed(selectPort, start) - kInstallPauseMs;
  // Only a finished install counts.
  HWND box = process.WaitVisible(kMessageCaption);
  const std::wstring text = WindowText(GetDlgItem(box, kMessageText));
  if (text != L"Completed!") throw Failure{"the install said: " + Utf8(text)};
  return elapsed;
}

double ReferenceInstall(const Target& t) {
  RemoveInstall();
  Process process(t.program, t.package);
  HWND page = process.WaitVisible(WIDEN(REF_INSTALL_CAPTION));
  process.Settle();
  const double start = NowMs();
  Click(page, IDC_REF_INSTALL);
  return AwaitPageClosed(page, start);
}

int g_programRows = -1;
int g_referenceRows = -1;

double ProgramPorts(const Target& t) {
  Process process(t.program, t.package);
  Click(process.WaitVisible(kSelectOs), kNext);
  HWND detail = process.WaitVisible(kDetailSetting);
  process.Settle();
  const double start = NowMs();
  Click(detail, kNext);
  double seen = 0;
  HWND page = process.WaitVisible(kSelectPort, &seen);
  g_programRows = ListCount(page, kPortView);
  return seen - start;
}

double ReferencePorts(const Target& t) {
  Process process(t.program, t.package);
  HWND main = process.WaitVisible(WIDEN(REF_PORTS_CAPTION));
  process.Settle();
  const double start = NowMs();
  Click(main, IDC_REF_NEXT);
  double seen = 0;
  HWND page = process.WaitVisible(WIDEN(REF_PORT_LIST_CAPTION), &seen);
  g_referenceRows = ListCount(page, IDC_REF_PORT_VIEW);
  return seen - start;
}

// ---------------------------------------------------------------------------

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PrintSeries(const char* label, const std::vector<double>& runs) {
  std::printf("%s %.1f", label, Median(runs));
  for (double r : runs) std::printf(" %.1f", r);
  std::printf("\n");
}

// One unrecorded round first: the first start of a program after the prefix
// is made loads fonts and caches that every later start finds ready.
// Each round runs every measurement once, in turn.
void Compare(int runs, const std::vector<std::pair<const char*, std::function<double()>>>& series) {
  std::vector<std::vector<double>> results(series.size());
  for (int i = -1; i < runs; ++i) {
    for (size_t k = 0; k < series.size(); ++k) {
      const double ms = series[k].second();
      if (i >= 0) results[k].push_back(ms);
      Sleep(100);
    }
  }
  for (size_t k = 0; k < series.size(); ++k) PrintSeries(series[k].first, results[k]);
}

std::vector<std::wstring> BenchPortNames(HKEY key) {
  std::vector<std::wstring> names;
  DWORD count = 0, longest = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest,
                   nullptr, nullptr, nullptr);
  for (DWORD i = 0; i < count; ++i) {
    std::wstring name(longest + 1, L'\0');
    DWORD length = longest + 1;
    if (RegEnumValueW(key, i, &name[0], &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      continue;
    }
    name.resize(length);
    if (name.compare(0, wcslen(kBenchPortPrefix), kBenchPortPrefix) == 0) names.push_back(name);
  }
  return names;
}

std::wstring BenchPortName(int number) {
  std::wstring digits = std::to_wstring(number);
  if (digits.size() < 5) digits.insert(0, 5 - digits.size(), L'0');
  return kBenchPortPrefix + digits + L":";
}

int ListedPorts() {
  DWORD needed = 0, listed = 0;
  EnumPortsW(nullptr, 1, nullptr, 0, &needed, &listed);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (!EnumPortsW(nullptr, 1, buffer.data(), needed, &needed, &listed)) {
    throw Failure{"the spooler lists no ports"};
  }
  return static_cast<int>(listed);
}

// Wine's local port monitor lists the values of the Ports key: the bench's
// own ports are values named BENCHnnnnn:, numbered from 0. The first call
// clears any left from before; later ones add or remove only the difference.
// Returns the number of ports the spooler lists.
int SetPorts(int count) {
  static int current = -1;
  static std::vector<int> listedWith;
  HKEY key;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPortsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    throw Failure{"cannot open the Ports key"};
  }
  if (current < 0) {
    for (const std::wstring& name : BenchPortNames(key)) RegDeleteValueW(key, name.c_str());
    current = 0;
  }
  for (; current > count; --current) RegDeleteValueW(key, BenchPortName(current - 1).c_str());
  for (; current < count; ++current) {
    RegSetValueExW(key, BenchPortName(current).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
  }
  RegCloseKey(key);
  if (listedWith.size() <= static_cast<size_t>(count)) listedWith.resize(count + 1, -1);
  if (listedWith[count] < 0) listedWith[count] = ListedPorts();
  return listedWith[count];
}

int Run(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"set-ports" && argc == 3) {
    std::printf("PORTS %d\n", SetPorts(_wtoi(argv[2])));
    return 0;
  }
  const bool ports = mode == L"ports";
  if (argc != (ports ? 8 : 6)) {
    std::printf(
        "ERROR usage: bench_driver first-page|install RUNS PACKAGE PROGRAM REFERENCE"
        " | bench_driver ports RUNS PACKAGE PROGRAM REFERENCE FEW MANY"
        " | bench_driver set-ports COUNT\n");
    return 2;
  }
  const int runs = _wtoi(argv[2]);
  if (runs < 1) {
    std::printf("ERROR RUNS must be at least 1\n");
    return 2;
  }
  const Target program{argv[4], argv[3]};
  const Target reference{argv[5], argv[3]};
  if (mode == L"first-page") {
    Compare(runs,
            {{"PROGRAM", [&] { return FirstPage(program, kSelectOs); }},
             {"REFERENCE", [&] { return FirstPage(reference, WIDEN(REF_FIRST_PAGE_CAPTION)); }}});
  } else if (mode == L"install") {
    Compare(runs, {{"PROGRAM", [&] { return ProgramInstall(program); }},
                   {"REFERENCE", [&] { return ReferenceInstall(reference); }}});
    RemoveInstall();
  } else if (ports) {
    const int few = _wtoi(argv[6]);
    const int many = _wtoi(argv[7]);
    int listed[2] = {0, 0};
    // The page must list every port the spooler has, with both counts.
    auto timed = [&](int count, int slot, bool ofProgram) {
      return [&, count, slot, ofProgram] {
        listed[slot] = SetPorts(count);
        const double ms = ofProgram ? ProgramPorts(program) : ReferencePorts(reference);
        const int rows = ofProgram ? g_programRows : g_referenceRows;
        if (rows != listed[slot]) {
          throw Failure{std::string(ofProgram ? "the program" : "the reference") + " listed " +
                        std::to_string(rows) + " of " + std::to_string(listed[slot]) + " ports"};
        }
        return ms;
      };
    };
    Compare(runs, {{"PROGRAM_FEW", timed(few, 0, true)},
                   {"REFERENCE_FEW", timed(few, 0, false)},
                   {"PROGRAM_MANY", timed(many, 1, true)},
                   {"REFERENCE_MANY", timed(many, 1, false)}});
    std::printf("PORTS %d %d\n", listed[0], listed[1]);
  } else {
    std::printf("ERROR unknown mode\n");
    return 2;
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Run(argc, argv);
  } catch (const Failure& failure) {
    std::printf("ERROR %s\n", failure.what.c_str());
    return 1;
  }
}
