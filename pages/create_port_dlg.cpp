#include "create_port_dlg.h"

#include <vector>

#include "../platform/win_services.h"
#include "../res/resource.h"

CCreatePortDlg::CCreatePortDlg(HWND parent) : CDialog(IDD_CREATE_PORT, parent) {}

void CCreatePortDlg::DoDataExchange() { DDX_Control(IDC_MONITOR_VIEW, m_monitorList); }

BOOL CCreatePortDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  std::vector<std::wstring> monitors;
  EnumerateMonitors(monitors, nullptr);
  m_monitorList.ChangeExtendedStyle(LVS_EX_TRACKSELECT, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  m_monitorList.InsertColumn(0, L"Available Port Type");
  m_monitorList.SetColumnWidth(0, 340);
  for (size_t i = 0; i < monitors.size(); ++i) {
    DebugLine(monitors[i]);
    m_monitorList.InsertItem(static_cast<int>(i), monitors[i]);
  }
  if (!monitors.empty()) m_monitorList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
  return TRUE;
}

bool CCreatePortDlg::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  if (id == IDC_NEW_PORT) {
    OnNewPort();
    return true;
  }
  if (id == IDC_CREATE_CLOSE) {
    CDialog::OnCancel();
    return true;
  }
  return false;
}

void CCreatePortDlg::OnNewPort() {
  const int row = m_monitorList.FirstSelectedRow();
  if (row < 0) return;
  RequestAddPort(m_hWnd, m_monitorList.GetItemText(row, 0));
}
