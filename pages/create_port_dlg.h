#pragma once

#include "../platform/controls.h"
#include "../platform/dialog.h"

// Lists the spooler's port monitors and asks the chosen one for a new port.
class CCreatePortDlg : public CDialog {
 public:
  explicit CCreatePortDlg(HWND parent = nullptr);

  CListCtrl m_monitorList;

 protected:
  void DoDataExchange() override;
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void OnNewPort();
};
