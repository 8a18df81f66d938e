// The port page's reference: a button that opens a dialog which lists the
// spooler's ports, name and description, in a report list view while it
// initialises, as plainly as that can be done.
#include <windows.h>

#include <commctrl.h>
#include <winspool.h>

#include <vector>

#include "bench_ids.h"

namespace {

void FillPorts(HWND list) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
               LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  const wchar_t* headings[] = {L"Port", L"Type"};
  const int widths[] = {150, 280};
  for (int c = 0; c < 2; ++c) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(headings[c]);
    column.cx = widths[c];
    column.iSubItem = c;
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  DWORD needed = 0, count = 0;
  EnumPortsW(nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (!EnumPortsW(nullptr, 2, buffer.data(), needed, &needed, &count)) return;
  const auto* ports = reinterpret_cast<const PORT_INFO_2W*>(buffer.data());
  // Filled in one go, painted once.
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (DWORD i = 0; i < count; ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = ports[i].pPortName;
    const int row =
        static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = ports[i].pDescription;
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

INT_PTR CALLBACK PortListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    FillPorts(GetDlgItem(dialog, IDC_REF_PORT_VIEW));
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK MainProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_REF_NEXT:
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_REF_PORT_LIST), dialog,
                      PortListProc, 0);
      return TRUE;
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return static_cast<int>(
      DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_REF_PORTS), nullptr, MainProc, 0));
}
