#include "controls.h"

#include <vector>

std::wstring CWindow::GetWindowText() const {
  const int length = ::GetWindowTextLengthW(m_hWnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(m_hWnd, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

int CListCtrl::InsertColumn(int index, const std::wstring& heading, int format) const {
  LVCOLUMNW column = {};
  column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = format;
  column.pszText = const_cast<wchar_t*>(heading.c_str());
  column.iSubItem = index;
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int index, const std::wstring& text) const {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void CListCtrl::SetItemText(int row, int column, const std::wstring& text) const {
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::wstring CListCtrl::GetItemText(int row, int column) const {
  // The list reports how much it copied, not how long the text is: grow the
  // buffer until the text fits with room to spare.
  std::vector<wchar_t> buffer(256);
  for (;;) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto copied = static_cast<size_t>(
        SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (copied + 1 < buffer.size()) return std::wstring(buffer.data(), copied);
    buffer.resize(buffer.size() * 2);
  }
}

void CListCtrl::SetItemState(int row, UINT state, UINT mask) const {
  LVITEMW item = {};
  item.state = state;
  item.stateMask = mask;
  SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}
