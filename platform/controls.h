// Thin wrappers of the standard and common controls the pages use. Each is a
// CWindow bound to a child of a dialog (see CDialog::DDX_Control).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "window.h"

class CButton : public CWindow {
 public:
  int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
  void SetCheck(int state) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
};

class CComboBox : public CWindow {
 public:
  int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int row) const { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(row))); }
  int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  void ResetContent() const { SendMessage(CB_RESETCONTENT); }
  int AddString(const std::wstring& text) const {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  }
};

class CProgressCtrl : public CWindow {
 public:
  void SetRange(int low, int high) const { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(low), high); }
  void SetPos(int pos) const { SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos), 0); }
};

class CListCtrl : public CWindow {
 public:
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  void SetExtendedStyle(DWORD style) const { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }
  // Clears and sets bits, leaving every other bit as it was.
  void ChangeExtendedStyle(DWORD clear, DWORD set) const {
    SetExtendedStyle((GetExtendedStyle() & ~clear) | set);
  }
  int InsertColumn(int index, const std::wstring& heading, int format = LVCFMT_LEFT) const;
  void SetColumnWidth(int column, int width) const {
    SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width);
  }
  int InsertItem(int index, const std::wstring& text) const;
  void SetItemText(int row, int column, const std::wstring& text) const;
  std::wstring GetItemText(int row, int column) const;
  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  UINT GetItemState(int row, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
  }
  void SetItemState(int row, UINT state, UINT mask) const;
  void DeleteAllItems() const { SendMessage(LVM_DELETEALLITEMS); }
  // The first row whose state includes LVIS_SELECTED, or -1.
  int FirstSelectedRow() const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
};
