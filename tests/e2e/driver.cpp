#include "driver.h"

#include <commctrl.h>

#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace e2e {

const wchar_t* const kSelectOsCaption = L"Select OS (x86/x64)";
const wchar_t* const kDetailSettingCaption = L"Detail Setting (x86/x64)";
const wchar_t* const kSelectPortCaption = L"Select Port (x86/x64)";
const wchar_t* const kCreatePortCaption = L"Create Port";
const wchar_t* const kAboutCaption = L"关于 KORAX";
const wchar_t* const kMessageBoxCaption = L"DriverSetup";

namespace {

// A control of a program that stopped answering must not hang the tests.
constexpr UINT kSendTimeoutMs = 5000;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

std::wstring Environment(const wchar_t* name) {
  DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  size = GetEnvironmentVariableW(name, value.data(), size);
  value.resize(size);
  return value;
}

std::wstring CaptionOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

std::wstring ClassOf(HWND window) {
  std::wstring name(256, L'\0');  // window class names are at most 256 characters
  const int got = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  name.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return name;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::wstring ProgramPath() { return Environment(L"DS_PROGRAM"); }
std::wstring PackagePath() { return Environment(L"DS_PACKAGE"); }

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

// --- App ----------------------------------------------------------------------

// The debugger must be the thread that created the process, and it must keep
// answering debug events while the test drives the windows, so the program is
// started from a thread of its own that then runs the debug loop.
struct App::DebugSession {
  std::thread thread;
  mutable std::mutex mutex;
  std::condition_variable started;
  bool launched = false;
  PROCESS_INFORMATION info{};
  std::vector<std::string> output;
};

std::unique_ptr<App> App::Launch(const Options& options) {
  const std::wstring program = ProgramPath();
  if (program.empty()) throw std::runtime_error("DS_PROGRAM is not set");
  const std::wstring directory =
      options.currentDirectory.empty() ? PackagePath() : options.currentDirectory;
  std::unique_ptr<App> app(new App);
  std::wstring commandLine = L"\"" + program + L"\"";

  if (!options.collectDebugOutput) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
      throw std::runtime_error("could not start " + Utf8(program) + ", error " +
                               std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    app->process_ = info.hProcess;
    app->processId_ = info.dwProcessId;
    return app;
  }

  app->debug_ = std::make_unique<DebugSession>();
  DebugSession& session = *app->debug_;
  session.thread = std::thread([&session, program, commandLine, directory]() mutable {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const BOOL created = CreateProcessW(
        program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
        nullptr, directory.empty() ? nullptr : directory.c_str(), &startup, &session.info);
    {
      std::lock_guard<std::mutex> lock(session.mutex);
      session.launched = true;
      if (!created) session.info = PROCESS_INFORMATION{};
    }
    session.started.notify_all();
    if (!created) return;
    for (;;) {
      DEBUG_EVENT event{};
      if (!WaitForDebugEvent(&event, INFINITE)) return;
      DWORD status = DBG_CONTINUE;
      switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
          if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
          break;
        case LOAD_DLL_DEBUG_EVENT:
          if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
          break;
        case EXCEPTION_DEBUG_EVENT:
          if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
            status = DBG_EXCEPTION_NOT_HANDLED;
          }
          break;
        case OUTPUT_DEBUG_STRING_EVENT: {
          const OUTPUT_DEBUG_STRING_INFO& s = event.u.DebugString;
          const size_t units = s.nDebugStringLength;
          std::string text;
          if (s.fUnicode) {
            std::wstring wide(units, L'\0');
            SIZE_T read = 0;
            ReadProcessMemory(session.info.hProcess, s.lpDebugStringData, wide.data(),
                              units * sizeof(wchar_t), &read);
            wide.resize(read / sizeof(wchar_t));
            while (!wide.empty() && wide.back() == L'\0') wide.pop_back();
            text = Utf8(wide);
          } else {
            text.assign(units, '\0');
            SIZE_T read = 0;
            ReadProcessMemory(session.info.hProcess, s.lpDebugStringData, text.data(), units,
                              &read);
            text.resize(read);
            while (!text.empty() && text.back() == '\0') text.pop_back();
          }
          std::lock_guard<std::mutex> lock(session.mutex);
          session.output.push_back(std::move(text));
          break;
        }
        default:
          break;
      }
      const bool exited = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
      ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
      if (exited) return;
    }
  });
  std::unique_lock<std::mutex> lock(session.mutex);
  session.started.wait(lock, [&session] { return session.launched; });
  if (!session.info.hProcess) {
    lock.unlock();
    session.thread.join();
    throw std::runtime_error("could not start " + Utf8(program) + " under the debugger");
  }
  CloseHandle(session.info.hThread);
  app->process_ = session.info.hProcess;
  app->processId_ = session.info.dwProcessId;
  return app;
}

App::~App() { Kill(); }

void App::Kill() {
  if (process_) {
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_, 1);
      WaitForSingleObject(process_, 10000);
    }
  }
  if (debug_ && debug_->thread.joinable()) debug_->thread.join();
  if (process_) CloseHandle(process_);
  process_ = nullptr;
}

HWND App::FindWindowByCaption(const std::wstring& caption, const wchar_t* className) const {
  for (HWND window : TopLevelWindowsOf(processId_)) {
    if (CaptionOf(window) != caption) continue;
    if (className && ClassOf(window) != className) continue;
    return window;
  }
  return nullptr;
}

HWND App::WaitForWindow(const std::wstring& caption, DWORD timeoutMs,
                        const wchar_t* className) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowByCaption(caption, className)) != nullptr; },
            timeoutMs);
  return found;
}

HWND App::WaitForMessageBox(DWORD timeoutMs) const {
  return WaitForWindow(kMessageBoxCaption, timeoutMs, L"#32770");
}

bool App::WaitForExit(DWORD timeoutMs) const {
  return WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

bool App::IsRunning() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::wstring App::DescribeWindows() const {
  std::wstring description;
  for (HWND window : TopLevelWindowsOf(processId_)) {
    if (!description.empty()) description += L"; ";
    description += L"\"" + CaptionOf(window) + L"\"";
    if (ClassOf(window) == L"#32770") {
      // A message box says what it is about in its static text.
      const std::wstring text = ItemText(window, 0xFFFF);
      if (!text.empty()) description += L" saying \"" + text + L"\"";
    }
  }
  return description.empty() ? L"no window" : description;
}

std::vector<std::string> App::DebugOutput() const {
  if (!debug_) return {};
  std::lock_guard<std::mutex> lock(debug_->mutex);
  return debug_->output;
}

// --- Controls -------------------------------------------------------------------

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::wstring Text(HWND window) {
  if (!window) return {};
  const LRESULT length = Send(window, WM_GETTEXTLENGTH);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

std::wstring ItemText(HWND dialog, int id) { return Text(Item(dialog, id)); }

bool Visible(HWND dialog, int id) {
  HWND item = Item(dialog, id);
  return item && (GetWindowLongW(item, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Enabled(HWND dialog, int id) {
  HWND item = Item(dialog, id);
  return item && IsWindowEnabled(item);
}

bool Checked(HWND dialog, int id) { return Send(Item(dialog, id), BM_GETCHECK) == BST_CHECKED; }

HWND FocusOf(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void Press(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(Item(dialog, id)));
}

void Click(HWND dialog, int id) { Send(Item(dialog, id), BM_CLICK); }

void PressEnter(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(Item(dialog, IDOK)));
}

void PressEscape(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(Item(dialog, IDCANCEL)));
}

void PressEnterOn(HWND control) {
  // Scan code 0x1C, repeat count 1; the key-up carries the previous-state
  // and transition bits.
  PostMessageW(control, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageW(control, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001u));
}

void PostSystemCommand(HWND window, WPARAM command) {
  PostMessageW(window, WM_SYSCOMMAND, command, 0);
}

std::vector<std::wstring> ComboItems(HWND dialog, int id) {
  HWND combo = Item(dialog, id);
  std::vector<std::wstring> items;
  const LRESULT count = Send(combo, CB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i));
    if (length < 0) {
      items.push_back(L"<unreadable>");
      continue;
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    items.push_back(text);
  }
  return items;
}

int ComboSelection(HWND dialog, int id) {
  return static_cast<int>(Send(Item(dialog, id), CB_GETCURSEL));
}

void ChooseComboRow(HWND dialog, int id, int row) {
  HWND combo = Item(dialog, id);
  Send(combo, CB_SETCURSEL, static_cast<WPARAM>(row));
  Send(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// --- RemoteListView -----------------------------------------------------------------

namespace {
// The item or column record sits at the start of the lent block and the text
// right after it.
constexpr size_t kRecordBytes = 256;
static_assert(sizeof(LVITEMW) <= kRecordBytes && sizeof(LVCOLUMNW) <= kRecordBytes,
              "record area too small");
}  // namespace

RemoteListView::RemoteListView(const App& app, HWND list) : process_(app.Process()), list_(list) {}

RemoteListView::~RemoteListView() {
  if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
}

void* RemoteListView::Remote(size_t bytes) const {
  if (bytes > remoteSize_) {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    remote_ = VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    remoteSize_ = remote_ ? bytes : 0;
  }
  return remote_;
}

int RemoteListView::RowCount() const { return static_cast<int>(Send(list_, LVM_GETITEMCOUNT)); }

int RemoteListView::ColumnCount() const {
  HWND header = reinterpret_cast<HWND>(Send(list_, LVM_GETHEADER));
  return header ? static_cast<int>(Send(header, HDM_GETITEMCOUNT)) : 0;
}

std::wstring RemoteListView::ColumnHeading(int column) const {
  for (size_t capacity = 256;; capacity *= 2) {
    char* base = static_cast<char*>(Remote(kRecordBytes + capacity * sizeof(wchar_t)));
    if (!base) return L"<no memory>";
    LVCOLUMNW record{};
    record.mask = LVCF_TEXT;
    record.pszText = reinterpret_cast<wchar_t*>(base + kRecordBytes);
    record.cchTextMax = static_cast<int>(capacity);
    WriteProcessMemory(process_, base, &record, sizeof record, nullptr);
    const wchar_t zero = 0;
    WriteProcessMemory(process_, base + kRecordBytes, &zero, sizeof zero, nullptr);
    if (!Send(list_, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(base))) {
      return L"<no column>";
    }
    std::wstring text(capacity, L'\0');
    ReadProcessMemory(process_, base + kRecordBytes, text.data(), capacity * sizeof(wchar_t),
                      nullptr);
    const size_t length = text.find(L'\0');
    if (length != std::wstring::npos && length + 1 < capacity) {
      text.resize(length);
      return text;
    }
  }
}

std::wstring RemoteListView::CellText(int row, int column) const {
  for (size_t capacity = 256;; capacity *= 2) {
    char* base = static_cast<char*>(Remote(kRecordBytes + capacity * sizeof(wchar_t)));
    if (!base) return L"<no memory>";
    LVITEMW record{};
    record.mask = LVIF_TEXT;
    record.iSubItem = column;
    record.pszText = reinterpret_cast<wchar_t*>(base + kRecordBytes);
    record.cchTextMax = static_cast<int>(capacity);
    WriteProcessMemory(process_, base, &record, sizeof record, nullptr);
    const LRESULT length =
        Send(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(base));
    if (length < 0) return L"<unreadable>";
    // A text that fills the buffer may have been cut short: read it again
    // with more room.
    if (static_cast<size_t>(length) + 1 >= capacity) continue;
    std::wstring text(static_cast<size_t>(length), L'\0');
    ReadProcessMemory(process_, base + kRecordBytes, text.data(),
                      static_cast<size_t>(length) * sizeof(wchar_t), nullptr);
    return text;
  }
}

std::vector<std::wstring> RemoteListView::Column(int column) const {
  std::vector<std::wstring> cells;
  const int rows = RowCount();
  for (int row = 0; row < rows; ++row) cells.push_back(CellText(row, column));
  return cells;
}

std::vector<int> RemoteListView::SelectedRows() const {
  std::vector<int> rows;
  const int count = RowCount();
  for (int row = 0; row < count; ++row) {
    const LRESULT state = Send(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED);
    if (state != -1 && (state & LVIS_SELECTED)) rows.push_back(row);
  }
  return rows;
}

void RemoteListView::ClearSelection() {
  char* base = static_cast<char*>(Remote(kRecordBytes));
  LVITEMW record{};
  record.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  record.state = 0;
  WriteProcessMemory(process_, base, &record, sizeof record, nullptr);
  Send(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(base));
}

void RemoteListView::SelectRow(int row) {
  ClearSelection();
  char* base = static_cast<char*>(Remote(kRecordBytes));
  LVITEMW record{};
  record.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  record.state = LVIS_SELECTED | LVIS_FOCUSED;
  WriteProcessMemory(process_, base, &record, sizeof record, nullptr);
  Send(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(base));
}

}  // namespace e2e
