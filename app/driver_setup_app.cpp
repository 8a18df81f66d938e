#include "driver_setup_app.h"

#include <memory>

#include "../pages/detail_setting_dlg.h"
#include "../pages/select_os_dlg.h"
#include "../platform/text.h"
#include "../res/resource.h"
#include "unattended.h"

CDriverSetupApp theApp;

BOOL CDriverSetupApp::InitInstance() {
  const LaunchRequest request = ParseCommandLine(CommandLineArguments());
  if (request.mode != LaunchMode::Wizard) {
    m_exitCode = RunCommandLine(request);
    return FALSE;
  }
  EnableCommonControls();
  CSelectOsDlg selectOs;
  INT_PTR r = selectOs.DoModal();
  while (r == IDOK) {
    INT_PTR d;
    {
      CDetailSettingDlg detail;
      d = detail.DoModal();
    }
    if (d != IDCANCEL) break;
    r = selectOs.DoModal();
  }
  return FALSE;
}

int CDriverSetupApp::RunCommandLine(const LaunchRequest& request) {
  if (request.mode == LaunchMode::QuietInstall || request.mode == LaunchMode::QuietRemove) {
    return RunUnattended(request);
  }
  if (request.quiet) return request.helpAsked ? kExitSuccess : kExitBadCommandLine;
  std::wstring text = Utf8ToWide(kUsageText);
  if (!request.error.empty()) text = Utf8ToWide("The command line was not understood: " + request.error + ".\n\n") + text;
  AfxMessageBox(text, MB_OK | (request.error.empty() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
  return request.helpAsked && request.error.empty() ? kExitSuccess : kExitBadCommandLine;
}

// No help viewer exists on current Windows, so F1 answers with a short text
// about the page it was pressed on.
void CDriverSetupApp::OnHelp(UINT dialogTemplateId) {
  const wchar_t* text;
  switch (dialogTemplateId) {
    case IDD_SELECT_OS:
      text = L"Select OS shows the version of Windows that setup detected.\n\n"
             L"Press Next to choose the printer model, or Exit to leave setup.";
      break;
    case IDD_DETAIL_SETTING:
      text = L"Choose the printer model to install. Tick Set Default Printer to make the new "
             L"printer your default printer.\n\nPress Next to choose the port, Back to return "
             L"to Select OS, or Exit to leave setup.";
      break;
    case IDD_SELECT_PORT:
      text = L"Choose the port the printer is connected to and press Install.\n\n"
             L"Create Port... adds a port of another type, such as a network port. "
             L"Configure Port... changes the settings of the selected port.";
      break;
    case IDD_CREATE_PORT:
      text = L"Choose a port type and press New Port... to add a port of that type. "
             L"Close returns to the list of ports.";
      break;
    default:
      text = L"DriverSetup installs the printer driver and creates a printer that uses it.";
      break;
  }
  AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
}
