// A non-owning wrapper of a window handle: the framework never destroys a
// window through it, the dialog manager does.
#pragma once

#include <windows.h>

#include <string>

class CWindow {
 public:
  CWindow(HWND hwnd = nullptr) : m_hWnd(hwnd) {}
  void Attach(HWND hwnd) { m_hWnd = hwnd; }
  HWND Detach() {
    HWND h = m_hWnd;
    m_hWnd = nullptr;
    return h;
  }
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, msg, wParam, lParam);
  }
  BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageW(m_hWnd, msg, wParam, lParam);
  }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  BOOL EnableWindow(bool enable) const { return ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
  BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
  bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
  BOOL SetWindowText(const std::wstring& text) const { return ::SetWindowTextW(m_hWnd, text.c_str()); }
  std::wstring GetWindowText() const;
  BOOL SetDlgItemText(int id, const std::wstring& text) const {
    return ::SetDlgItemTextW(m_hWnd, id, text.c_str());
  }
  HWND SetFocus() const { return ::SetFocus(m_hWnd); }
  void SetRedraw(bool redraw) const { SendMessage(WM_SETREDRAW, redraw ? TRUE : FALSE); }

 protected:
  HWND m_hWnd;
};
