// Modal dialogs built from a template. One dialog procedure finds the object
// and hands each message to a virtual handler; a handler that does not want a
// message leaves it to the base, which leaves it to the dialog manager.
#pragma once

#include <windows.h>

#include "window.h"

class CDialog : public CWindow {
 public:
  explicit CDialog(UINT templateId, HWND parent = nullptr)
      : m_templateId(templateId), m_parent(parent) {}
  virtual ~CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Builds the window afresh from the template and runs it; the result the
  // page ended with, or -1 when the window could not be made.
  INT_PTR DoModal();
  UINT TemplateId() const { return m_templateId; }

 protected:
  // Fills lists from the template's initial data and binds controls.
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange() {}
  virtual void OnOK();      // data exchange, then IDOK
  virtual void OnCancel();  // IDCANCEL
  // Button clicks and other WM_COMMAND notifications; return true if handled.
  virtual bool OnCommand(int id, int code, HWND control);
  virtual bool OnNotify(int id, NMHDR* header, LRESULT& result);
  // WM_SYSCOMMAND; return false to leave it to the system's own handling.
  virtual bool OnSysCommand(WPARAM command, LPARAM lParam);
  virtual bool OnPaint() { return false; }
  // Anything else; return true when handled, with result as the dialog
  // procedure's own return value (the value itself for WM_QUERYDRAGICON).
  virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  void EndDialog(INT_PTR result) const { ::EndDialog(m_hWnd, result); }
  void DDX_Control(int id, CWindow& control) const { control.Attach(GetDlgItem(id)); }
  BOOL UpdateData() {
    DoDataExchange();
    return TRUE;
  }
 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  void LoadInitialListData() const;

  UINT m_templateId;
  HWND m_parent;
};
