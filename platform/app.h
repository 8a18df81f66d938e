// The application object: the process starts in InitInstance, which runs the
// pages as modal dialogs and returns FALSE; there is no main window and no
// message loop of our own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() = 0;
  // The process exit code.
  virtual int ExitInstance() { return m_exitCode; }
  // F1 on a page or dialog, with the template id of the dialog it came from.
  virtual void OnHelp(UINT dialogTemplateId);

  // The executable's file name without its extension.
  const std::wstring& AppName() const { return m_appName; }
  int Run();

 protected:
  int m_exitCode = 0;

  // The arguments after the program's name, as UTF-8.
  static std::vector<std::string> CommandLineArguments();

  // Registers the common-control classes the templates use (list view,
  // progress bar, trackbar) before any page is created.
  static void EnableCommonControls();

 private:
  std::wstring m_appName;
};

CWinApp* AfxGetApp();

// OK button, exclamation icon, the application's name as caption; owned by the
// active window so that the page beneath waits for it.
int AfxMessageBox(const std::wstring& text, UINT type = MB_OK | MB_ICONEXCLAMATION);
