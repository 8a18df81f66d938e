// Walks the wizard as a user would, for ./run on a machine without a display
// of its own: starts the program, presses Next, Next and Install with the
// initial choices, and reports each page so the caller can take a picture.
// Also prints what the spooler holds afterwards.
//
//   walkthrough walk PROGRAM PACKAGE_DIR   (prints "PAGE name"/"MESSAGE text",
//                                           then waits for a line on stdin)
//   walkthrough summary                    (printers, drivers, default printer)
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

void Say(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void WaitForGoAhead() {
  std::string ignored;
  std::getline(std::cin, ignored);
}

HWND WaitForWindow(const wchar_t* caption, HANDLE process, DWORD timeoutMs = 20000) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    HWND w = FindWindowW(L"#32770", caption);
    if (w && IsWindowVisible(w)) {
      Sleep(300);  // let it finish painting before the picture
      return w;
    }
    if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

std::wstring Text(HWND w) {
  const int n = GetWindowTextLengthW(w);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  s.resize(static_cast<size_t>(GetWindowTextW(w, s.data(), n + 1)));
  return s;
}

int Walk(const wchar_t* program, const wchar_t* package) {
  std::wstring command = L"\"" + std::wstring(program) + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, package, &si, &pi)) {
    Say("ERROR could not start the program");
    return 1;
  }
  struct Page {
    const wchar_t* caption;
    const char* name;
    int button;
  };
  const Page pages[] = {{L"Select OS (x86/x64)", "select-os", 1009},
                        {L"Detail Setting (x86/x64)", "detail-setting", 1009},
                        {L"Select Port (x86/x64)", "select-port", 1022}};
  for (const Page& page : pages) {
    HWND w = WaitForWindow(page.caption, pi.hProcess);
    if (!w) {
      Say(std::string("ERROR no page ") + page.name);
      TerminateProcess(pi.hProcess, 1);
      return 1;
    }
    Say(std::string("PAGE ") + page.name);
    WaitForGoAhead();
    PostMessageW(GetDlgItem(w, page.button), BM_CLICK, 0, 0);
  }
  // What the install ends with: "Completed!" or the failures.
  while (HWND box = WaitForWindow(L"DriverSetup", pi.hProcess)) {
    std::string text = Utf8(Text(GetDlgItem(box, 0xFFFF)));
    for (char& c : text) if (c == '\n' || c == '\r') c = ' ';
    Say("MESSAGE " + text);
    WaitForGoAhead();
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    Sleep(300);
  }
  WaitForSingleObject(pi.hProcess, 20000);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  Say("EXIT " + std::to_string(code));
  return 0;
}

// The spooler's two-call pattern: ask for the size, then fill.
template <typename Call>
std::vector<BYTE> Enumerate(Call call, DWORD& count) {
  DWORD needed = 0;
  count = 0;
  call(nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (!call(buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count)) count = 0;
  return buffer;
}

int Summary() {
  DWORD count = 0;
  auto printers = Enumerate(
      [](BYTE* b, DWORD n, DWORD* need, DWORD* got) {
        return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, b, n, need, got);
      },
      count);
  const auto* p = reinterpret_cast<const PRINTER_INFO_2W*>(printers.data());
  Say("Printers:");
  for (DWORD i = 0; i < count; ++i) {
    Say("  " + Utf8(p[i].pPrinterName) + "  port " + Utf8(p[i].pPortName ? p[i].pPortName : L"") +
        "  driver " + Utf8(p[i].pDriverName ? p[i].pDriverName : L""));
  }
  for (const wchar_t* env : {L"Windows x64", L"Windows NT x86"}) {
    auto drivers = Enumerate(
        [env](BYTE* b, DWORD n, DWORD* need, DWORD* got) {
          return EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(env), 3, b, n, need, got);
        },
        count);
    const auto* d = reinterpret_cast<const DRIVER_INFO_3W*>(drivers.data());
    Say("Drivers (" + Utf8(env) + "):");
    for (DWORD i = 0; i < count; ++i) {
      Say("  " + Utf8(d[i].pName) + "  data file " + Utf8(d[i].pDataFile ? d[i].pDataFile : L""));
    }
  }
  Say("Ports:");
  auto ports = Enumerate(
      [](BYTE* b, DWORD n, DWORD* need, DWORD* got) { return EnumPortsW(nullptr, 1, b, n, need, got); },
      count);
  const auto* port = reinterpret_cast<const PORT_INFO_1W*>(ports.data());
  std::string line = " ";
  for (DWORD i = 0; i < count; ++i) line += " " + Utf8(port[i].pName);
  Say(line);
  DWORD size = 0;
  std::wstring device;
  const wchar_t* key = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
  if (RegGetValueW(HKEY_CURRENT_USER, key, L"Device", RRF_RT_REG_SZ, nullptr, nullptr, &size) == ERROR_SUCCESS) {
    device.resize(size / sizeof(wchar_t) + 1);
    RegGetValueW(HKEY_CURRENT_USER, key, L"Device", RRF_RT_REG_SZ, nullptr, device.data(), &size);
    device.resize(wcslen(device.c_str()));
  }
  Say("Default printer (Device): " + (device.empty() ? std::string("(none)") : Utf8(device)));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"walk" && argc == 4) return Walk(argv[2], argv[3]);
  if (mode == L"summary") return Summary();
  Say("usage: walkthrough walk PROGRAM PACKAGE_DIR | walkthrough summary");
  return 2;
}
