#pragma once

#include "../core/install.h"
#include "../platform/controls.h"
#include "../platform/dialog.h"

// Second page: the model and the default-printer choice. The install reads
// its choices from this page's live controls while the page stays open
// beneath Select Port.
class CDetailSettingDlg : public CDialog, public IInstallChoices {
 public:
  CDetailSettingDlg();

  // IInstallChoices
  int ModelRow() override;
  int PortListIndex() override;
  bool SetAsDefaultPrinter() override;
  SerialSelection SerialChoices() override;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnSysCommand(WPARAM command, LPARAM lParam) override;
  bool OnPaint() override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void AddAboutEntry() const;
  void OnNext();
  void OnModelChange();
  void OnPortChange();
  void EnableSerialLists(bool enable);

  HICON m_hIcon;
  CComboBox m_pModelList;
  CComboBox m_pPortList;
  // Baud rate, data bits, stop bits, parity, flow control.
  CComboBox m_pSerialLists[5];
  CButton m_pDefaultCheck;
};
