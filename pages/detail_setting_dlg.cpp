#include "detail_setting_dlg.h"

#include <memory>

#include "../core/catalogue.h"
#include "../core/decipher.h"
#include "../core/icon_position.h"
#include "../platform/app.h"
#include "../platform/text.h"
#include "../res/resource.h"
#include "about_dlg.h"
#include "select_port_dlg.h"
#include "wizard_state.h"

namespace {
// The order of m_pSerialLists.
constexpr int kSerialListIds[5] = {IDC_BAUD_RATE, IDC_DATA_BITS, IDC_STOP_BITS, IDC_PARITY,
                                   IDC_FLOW_CONTROL};
enum { kBaud, kData, kStop, kParity, kFlow };

std::wstring ModelListText(int entry) { return Utf8ToWide(DecipherEntry(entry)); }
}  // namespace

CDetailSettingDlg::CDetailSettingDlg()
    : CDialog(IDD_DETAIL_SETTING),
      m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

BOOL CDetailSettingDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  AddAboutEntry();
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  DDX_Control(IDC_MODEL_LIST, m_pModelList);
  m_pModelList.ResetContent();  // the template's placeholder items
  for (int entry = 0; entry < ModelCatalogue::kModelCount; ++entry) {
    m_pModelList.AddString(ModelListText(entry));
  }
  m_pModelList.SetCurSel(SerialOptionTables::kInitialModelRow);
  ::CheckDlgButton(m_hWnd, IDC_SET_DEFAULT, BST_CHECKED);
  SetDlgItemText(IDC_PRINTER_NAME, ModelListText(kInitialPrinterNameEntry));

  DDX_Control(IDC_PORT_LIST, m_pPortList);
  for (int i = 0; i < 5; ++i) DDX_Control(kSerialListIds[i], m_pSerialLists[i]);
  m_pPortList.SetCurSel(SerialOptionTables::kPortValueNames.initialRow);
  m_pSerialLists[kBaud].SetCurSel(SerialOptionTables::kBaudRates.initialRow);
  m_pSerialLists[kData].SetCurSel(SerialOptionTables::kDataBits.initialRow);
  m_pSerialLists[kStop].SetCurSel(SerialOptionTables::kStopBits.initialRow);
  m_pSerialLists[kParity].SetCurSel(SerialOptionTables::kParities.initialRow);
  m_pSerialLists[kFlow].SetCurSel(SerialOptionTables::kFlowControls.initialRow);
  EnableSerialLists(false);

  g_pDetailPage = this;
  return TRUE;
}

void CDetailSettingDlg::AddAboutEntry() const {
  HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
  if (!menu) return;
  // The string is read in place from the resource, so its length is known
  // without a buffer of ours.
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX,
                                   reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return;
  const std::wstring entry(text, static_cast<size_t>(length));
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, entry.c_str());
}

// Enter means "go on", as Next does; ending the wizard here would leave the
// user with nothing installed and no word why.
void CDetailSettingDlg::OnOK() { OnNext(); }

// Exit, Esc and the close box end the wizard from this page.
void CDetailSettingDlg::OnCancel() { CDialog::OnOK(); }

bool CDetailSettingDlg::OnCommand(int id, int code, HWND) {
  if (code == CBN_SELCHANGE) {
    if (id == IDC_MODEL_LIST) OnModelChange();
    if (id == IDC_PORT_LIST) OnPortChange();
    return id == IDC_MODEL_LIST || id == IDC_PORT_LIST;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_DETAIL_BACK:
      CDialog::OnCancel();
      return true;
    case IDC_DETAIL_NEXT:
      OnNext();
      return true;
    case IDC_DETAIL_EXIT:
      OnCancel();
      return true;
    case IDC_SET_DEFAULT:
      return true;  // the box toggles itself; the install reads it
    default:
      return false;
  }
}

bool CDetailSettingDlg::OnSysCommand(WPARAM command, LPARAM) {
  if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
  CAboutDlg about;
  about.DoModal();
  return true;
}

void CDetailSettingDlg::OnModelChange() {
  const int row = m_pModelList.GetCurSel();
  if (row >= 0 && row < ModelCatalogue::kModelCount) {
    SetDlgItemText(IDC_PRINTER_NAME, ModelListText(row));
  }
}

void CDetailSettingDlg::OnPortChange() {
  EnableSerialLists(m_pPortList.GetCurSel() >= SerialOptionTables::kFirstSerialPortRow);
}

void CDetailSettingDlg::EnableSerialLists(bool enable) {
  for (CComboBox& list : m_pSerialLists) list.EnableWindow(enable);
}

void CDetailSettingDlg::OnNext() {
  // The port page must outlive its window: its port and the install's
  // result are read after its run ends.
  auto page = std::make_unique<CSelectPortDlg>();
  g_pPortPage = page.get();
  const INT_PTR result = page->DoModal();
  g_pPortPage = nullptr;  // read only while the page runs; the object goes soon
  if (result == IDCANCEL) return;
  g_selectedPort = page->m_portName;
  // Only an install that really ran to success is reported as done; a page
  // that could not even be shown installed nothing.
  if (const InstallReport* report = page->InstallResult()) {
    if (!report->Succeeded()) {
      AfxMessageBox(Utf8ToWide(report->FailureMessage()));
    } else if (IsNtFamily(g_osKind)) {
      AfxMessageBox(L"Completed!");
    }
  }
  CDialog::OnOK();
}

bool CDetailSettingDlg::OnPaint() {
  if (!IsIconic()) return false;
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const int cx = ::GetSystemMetrics(SM_CXICON);
  const int cy = ::GetSystemMetrics(SM_CYICON);
  RECT r;
  ::GetClientRect(m_hWnd, &r);
  ::DrawIcon(dc, CenteredIconOffset(r.right - r.left, cx), CenteredIconOffset(r.bottom - r.top, cy),
             m_hIcon);
  ::EndPaint(m_hWnd, &ps);
  return true;
}

bool CDetailSettingDlg::OnMessage(UINT msg, WPARAM, LPARAM, INT_PTR& result) {
  if (msg != WM_QUERYDRAGICON) return false;
  result = reinterpret_cast<INT_PTR>(m_hIcon);
  return true;
}

int CDetailSettingDlg::ModelRow() { return m_pModelList.GetCurSel(); }

int CDetailSettingDlg::PortListIndex() { return m_pPortList.GetCurSel(); }

bool CDetailSettingDlg::SetAsDefaultPrinter() {
  DDX_Control(IDC_SET_DEFAULT, m_pDefaultCheck);
  return m_pDefaultCheck.GetCheck() == BST_CHECKED;
}

SerialSelection CDetailSettingDlg::SerialChoices() {
  SerialSelection s;
  s.baudRate = m_pSerialLists[kBaud].GetCurSel();
  s.parity = m_pSerialLists[kParity].GetCurSel();
  s.dataBits = m_pSerialLists[kData].GetCurSel();
  s.stopBits = m_pSerialLists[kStop].GetCurSel();
  s.flowControl = m_pSerialLists[kFlow].GetCurSel();
  return s;
}
