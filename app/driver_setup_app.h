#pragma once

#include "../platform/app.h"
#include "command_line.h"

class CDriverSetupApp : public CWinApp {
 public:
  BOOL InitInstance() override;
  void OnHelp(UINT dialogTemplateId) override;

 private:
  // A command line other than none: unattended work or the usage text.
  int RunCommandLine(const LaunchRequest& request);
};
