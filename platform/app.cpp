#include "app.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "text.h"

namespace {
CWinApp* g_app = nullptr;

std::wstring ModuleFileName() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return L"";
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring FileNameWithoutExtension(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) name.resize(dot);
  return name;
}
}  // namespace

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }

void CWinApp::OnHelp(UINT) {}

void CWinApp::EnableCommonControls() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                   ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
}

std::vector<std::string> CWinApp::CommandLineArguments() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.push_back(WideToUtf8(argv[i]));
  ::LocalFree(argv);
  return args;
}

int CWinApp::Run() {
  m_appName = FileNameWithoutExtension(ModuleFileName());
  if (m_appName.empty()) m_appName = L"DriverSetup";
  InitInstance();
  return ExitInstance();
}

int AfxMessageBox(const std::wstring& text, UINT type) {
  const CWinApp* app = AfxGetApp();
  const std::wstring caption = app ? app->AppName() : std::wstring(L"DriverSetup");
  return ::MessageBoxW(::GetActiveWindow(), text.c_str(), caption.c_str(), type);
}

namespace {
// A setup program is often started from a downloads folder, where anyone may
// have left a DLL named like a system one. Before any DLL is loaded on
// demand, only the system folder is searched.
void RestrictDllSearchToSystemFolder() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  // Windows 7 has the function only with an update installed.
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Where it is missing, at least the current directory leaves the search.
  ::SetDllDirectoryW(L"");
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  RestrictDllSearchToSystemFolder();
  CWinApp* app = AfxGetApp();
  return app ? app->Run() : 1;
}
