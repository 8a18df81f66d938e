#pragma once

#include "../platform/dialog.h"

// First page: shows the detected Windows version; information only.
class CSelectOsDlg : public CDialog {
 public:
  CSelectOsDlg();

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnPaint() override;
};
