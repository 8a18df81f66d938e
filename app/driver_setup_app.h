#pragma once

#include "../platform/app.h"

class CDriverSetupApp : public CWinApp {
 public:
  BOOL InitInstance() override;
  void OnHelp(UINT dialogTemplateId) override;
};
