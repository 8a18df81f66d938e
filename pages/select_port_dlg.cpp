#include "select_port_dlg.h"

#include <vector>

#include "../core/ports.h"
#include "../platform/app.h"
#include "../platform/text.h"
#include "../platform/win_services.h"
#include "../res/resource.h"
#include "create_port_dlg.h"
#include "detail_setting_dlg.h"
#include "wizard_state.h"

CSelectPortDlg::CSelectPortDlg(HWND parent) : CDialog(IDD_SELECT_PORT, parent) {}

void CSelectPortDlg::DoDataExchange() {
  DDX_Control(IDC_PROGRESS, m_progress);
  DDX_Control(IDC_PORT_VIEW, m_portList);
}

BOOL CSelectPortDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_portList.ChangeExtendedStyle(LVS_EX_TRACKSELECT, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  m_portList.InsertColumn(0, L"Port");
  m_portList.InsertColumn(1, L"Type");
  m_portList.SetColumnWidth(0, 150);
  m_portList.SetColumnWidth(1, 280);
  FillPortList();
  m_progress.SetRange(0, 100);
  m_progress.SetPos(0);
  return TRUE;
}

void CSelectPortDlg::FillPortList() {
  std::vector<PortListing> ports;
  EnumeratePorts(ports, nullptr);
  std::vector<std::string> names;
  names.reserve(ports.size());
  // One repaint for the whole list, however many ports a server has.
  m_portList.SetRedraw(false);
  for (size_t p = 0; p < ports.size(); ++p) {
    DebugLine(ports[p].name);
    const int row = m_portList.InsertItem(static_cast<int>(p), ports[p].name);
    m_portList.SetItemText(row, 1, ports[p].description);
    names.push_back(WideToUtf8(ports[p].name));
  }
  if (const auto row = PreselectPort(names)) {
    m_portList.SetItemState(static_cast<int>(*row), LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  m_portList.SetRedraw(true);
  ::InvalidateRect(m_portList, nullptr, TRUE);
}

bool CSelectPortDlg::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_CREATE_PORT:
      OnCreatePort();
      return true;
    case IDC_CONFIGURE_PORT:
      OnConfigurePort();
      return true;
    case IDC_PORT_BACK:
      CDialog::OnCancel();
      return true;
    case IDC_INSTALL:
      OnInstall();
      return true;
    case IDC_PORT_CANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

// Enter on this page means "install on the chosen port".
void CSelectPortDlg::OnOK() { OnInstall(); }

void CSelectPortDlg::OnCancel() { CDialog::OnCancel(); }

void CSelectPortDlg::OnCreatePort() {
  CCreatePortDlg dialog;
  dialog.DoModal();
  m_portList.DeleteAllItems();
  FillPortList();
}

void CSelectPortDlg::OnConfigurePort() {
  const int row = m_portList.FirstSelectedRow();
  if (row < 0) return;
  RequestConfigurePort(m_hWnd, m_portList.GetItemText(row, 0));
}

void CSelectPortDlg::OnInstall() {
  const int row = m_portList.FirstSelectedRow();
  if (row < 0) {
    AfxMessageBox(L"Please select a port first.");
    return;
  }
  m_portName = m_portList.GetItemText(row, 0);
  const ArchProfile& profile = ChooseProfile(sizeof(void*) == 8, IsRunningUnderWow64());

  g_selectedPort = m_portName;
  WinSpooler spooler;
  WinFileSystem files;
  WinRegistry registry;
  InstallServices services{spooler, files, registry, *g_pDetailPage, *this};
  m_installReport = InstallDriverPackage(profile, WideToUtf8(m_portName), services);
  CDialog::OnOK();
}

// The install holds the thread, so the bar is painted from here: every
// position is set, but painted at most every 50 ms (the eye cannot tell the
// difference, and a fast install is not slowed by eleven repaints), always at
// 100, and before the pause.
void CSelectPortDlg::SetProgress(int position) {
  m_progress.SetRedraw(false);
  m_progress.SetPos(position);
  m_progress.SetRedraw(true);
  const ULONGLONG now = ::GetTickCount64();
  if (position < 100 && now - m_progressPaintedAt < kProgressPaintIntervalMs) return;
  PaintProgress(now);
}

void CSelectPortDlg::PaintProgress(ULONGLONG now) {
  m_progressPaintedAt = now;
  ::InvalidateRect(m_progress, nullptr, FALSE);
  ::UpdateWindow(m_progress);
}

void CSelectPortDlg::ShowRegistryError(const std::string& message) {
  AfxMessageBox(Utf8ToWide(message));
}

void CSelectPortDlg::Pause(int milliseconds) {
  PaintProgress(::GetTickCount64());
  ::Sleep(static_cast<DWORD>(milliseconds));
}
