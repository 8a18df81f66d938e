// Drives the real DriverSetup.exe from outside, the way a user would: start
// it, find its windows, press its buttons, read what its controls show.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace e2e {

// Where the program and the sample package are, in Windows form; taken from
// the environment variables DS_PROGRAM and DS_PACKAGE.
std::wstring ProgramPath();
std::wstring PackagePath();

constexpr DWORD kWindowTimeoutMs = 10000;
// An install copies files and registers a driver before it pauses half a
// second, so it is given longer than a page change.
constexpr DWORD kInstallTimeoutMs = 30000;

// Captions of the program's windows.
extern const wchar_t* const kSelectOsCaption;
extern const wchar_t* const kDetailSettingCaption;
extern const wchar_t* const kSelectPortCaption;
extern const wchar_t* const kCreatePortCaption;
extern const wchar_t* const kAboutCaption;
extern const wchar_t* const kMessageBoxCaption;

// One running DriverSetup.exe. Destroying it ends the process if it still
// runs, so a failed test leaves nothing behind.
class App {
 public:
  struct Options {
    std::wstring currentDirectory;    // the package folder unless told otherwise
    bool collectDebugOutput = false;  // run under this process as its debugger
  };

  static std::unique_ptr<App> Launch(const Options& options);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  HANDLE Process() const { return process_; }
  DWORD ProcessId() const { return processId_; }

  // A visible top-level window of this process with the caption (and class,
  // when given), or null.
  HWND FindWindowByCaption(const std::wstring& caption, const wchar_t* className = L"#32770") const;
  // Polls until such a window is visible; null after the timeout.
  HWND WaitForWindow(const std::wstring& caption, DWORD timeoutMs = kWindowTimeoutMs,
                     const wchar_t* className = L"#32770") const;
  // The program's message box, once one is up; null after the timeout.
  HWND WaitForMessageBox(DWORD timeoutMs = kWindowTimeoutMs) const;
  bool WaitForExit(DWORD timeoutMs = kWindowTimeoutMs) const;
  bool IsRunning() const;

  // Captions of the visible top-level windows of this process, for failure
  // messages ("what is on screen instead").
  std::wstring DescribeWindows() const;

  // Debugger output collected so far (only with collectDebugOutput).
  std::vector<std::string> DebugOutput() const;

 private:
  struct DebugSession;
  App() = default;
  void Kill();

  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  std::unique_ptr<DebugSession> debug_;
};

// --- Controls of another process -------------------------------------------

HWND Item(HWND dialog, int id);
std::wstring Text(HWND window);
std::wstring ItemText(HWND dialog, int id);
bool Visible(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
bool Checked(HWND dialog, int id);
// The control that has the keyboard focus in the dialog's thread.
HWND FocusOf(HWND dialog);

// A click on a push button: the command the button sends its dialog. Posted,
// because the command may open a nested modal dialog or end the page.
void Press(HWND dialog, int id);
// A click on a check box or radio button, which toggles it itself.
void Click(HWND dialog, int id);
// The dialog's OK command (Enter) and cancel command (Esc).
void PressEnter(HWND dialog);
void PressEscape(HWND dialog);
// Enter while the given control has the focus.
void PressEnterOn(HWND control);
void PostSystemCommand(HWND window, WPARAM command);

// Combo boxes.
std::vector<std::wstring> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
// Picks a row as a user would: the list changes and tells its dialog.
void ChooseComboRow(HWND dialog, int id, int row);

// A list view (report view) of the program, read and changed through memory
// lent in the program's own address space.
class RemoteListView {
 public:
  RemoteListView(const App& app, HWND list);
  ~RemoteListView();
  RemoteListView(const RemoteListView&) = delete;
  RemoteListView& operator=(const RemoteListView&) = delete;

  int RowCount() const;
  int ColumnCount() const;
  std::wstring ColumnHeading(int column) const;
  std::wstring CellText(int row, int column) const;
  std::vector<std::wstring> Column(int column) const;
  std::vector<int> SelectedRows() const;
  void ClearSelection();
  void SelectRow(int row);

 private:
  void* Remote(size_t bytes) const;
  HANDLE process_;
  HWND list_;
  mutable void* remote_ = nullptr;
  mutable size_t remoteSize_ = 0;
};

// Polls a condition until it holds or the time is up.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kWindowTimeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(50);
  }
}

std::string Utf8(const std::wstring& text);

}  // namespace e2e
