#include "select_os_dlg.h"

#include "../platform/win_services.h"
#include "../res/resource.h"
#include "wizard_state.h"

namespace {
// The radio button of each OsKind 1..9; kind 0 marks nothing.
constexpr int kRadioOfKind[] = {0,         IDC_OS_95, IDC_OS_98,    IDC_OS_NT4, IDC_OS_2000,
                                IDC_OS_XP, IDC_OS_2003, IDC_OS_VISTA, IDC_OS_7,   IDC_OS_8};
}  // namespace

CSelectOsDlg::CSelectOsDlg() : CDialog(IDD_SELECT_OS) {}

BOOL CSelectOsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  WinVersionQuery query;
  ClassifyOperatingSystem(query, g_osKind);
  if (g_osKind >= 1 && g_osKind <= 9) {
    ::SendDlgItemMessageW(m_hWnd, kRadioOfKind[g_osKind], BM_SETCHECK, BST_CHECKED, 0);
  }
  // Checking a radio button makes it a tab stop, and one that comes before
  // Next would take the first focus; Enter at the start must mean Next.
  ::SetFocus(GetDlgItem(IDC_OS_NEXT));
  return FALSE;
}

void CSelectOsDlg::OnCancel() { CDialog::OnCancel(); }

bool CSelectOsDlg::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_OS_BACK:
      return true;
    case IDC_OS_NEXT:
      CDialog::OnOK();
      return true;
    case IDC_OS_EXIT:
      OnCancel();
      return true;
    default:
      return false;
  }
}

bool CSelectOsDlg::OnPaint() {
  PAINTSTRUCT ps;
  ::BeginPaint(m_hWnd, &ps);
  ::EndPaint(m_hWnd, &ps);
  return true;
}
