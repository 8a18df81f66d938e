#pragma once

#include "../platform/dialog.h"
#include "../res/resource.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
