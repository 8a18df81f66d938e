#include "dialog.h"

#include <cstring>
#include <string>

#include "app.h"
#include "text.h"
#include "../res/resource.h"

INT_PTR CDialog::DoModal() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  // No main window exists: a page opened from another is owned by the window
  // that is active at that moment, as the dialog manager would choose.
  HWND owner = m_parent ? m_parent : ::GetActiveWindow();
  INT_PTR result = ::DialogBoxParamW(instance, MAKEINTRESOURCEW(m_templateId), owner,
                                     &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  m_hWnd = nullptr;
  return result;
}

BOOL CDialog::OnInitDialog() {
  LoadInitialListData();
  UpdateData();
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData()) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(int, int, HWND) { return false; }

bool CDialog::OnNotify(int, NMHDR*, LRESULT&) { return false; }

bool CDialog::OnSysCommand(WPARAM, LPARAM) { return false; }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

// The template's initial list data: records of control id, message, byte
// count and UTF-8 text, closed by a zero id.
void CDialog::LoadInitialListData() const {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(m_templateId),
                                MAKEINTRESOURCEW(RT_DLGINIT_DATA));
  if (!found) return;
  const DWORD size = ::SizeofResource(instance, found);
  HGLOBAL loaded = ::LoadResource(instance, found);
  const auto* data = static_cast<const unsigned char*>(loaded ? ::LockResource(loaded) : nullptr);
  if (!data) return;
  DWORD at = 0;
  while (at + 2 <= size) {
    WORD id, msg;
    std::memcpy(&id, data + at, 2);
    if (id == 0 || at + 8 > size) break;
    std::memcpy(&msg, data + at + 2, 2);
    DWORD length;
    std::memcpy(&length, data + at + 4, 4);
    at += 8;
    if (length > size - at) break;
    std::string text(reinterpret_cast<const char*>(data + at), length);
    at += length;
    if (const size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    if (msg == DLGINIT_ADDSTRING) {
      const std::wstring wide = Utf8ToWide(text);
      ::SendDlgItemMessageW(m_hWnd, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
  }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CDialog* self;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    self->m_hWnd = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  // Messages that arrive before WM_INITDIALOG (WM_SETFONT) go to the system.
  return self ? self->Dispatch(msg, wParam, lParam) : FALSE;
}

INT_PTR CDialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (OnCommand(id, code, reinterpret_cast<HWND>(lParam))) return TRUE;
      if (id == IDOK && code == BN_CLICKED) {
        OnOK();
        return TRUE;
      }
      if (id == IDCANCEL && code == BN_CLICKED) {
        OnCancel();
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      LRESULT result = 0;
      if (!OnNotify(static_cast<int>(header->idFrom), header, result)) return FALSE;
      ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
      return TRUE;
    }
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam, lParam) ? TRUE : FALSE;
    case WM_PAINT:
      return OnPaint() ? TRUE : FALSE;
    case WM_HELP:
      // F1: the application answers for the page it was pressed on.
      if (CWinApp* app = AfxGetApp()) app->OnHelp(m_templateId);
      return TRUE;
    default: {
      INT_PTR result = 0;
      return OnMessage(msg, wParam, lParam, result) ? result : FALSE;
    }
  }
}
