// Process-wide state that links the pages and the install.
#pragma once

#include <string>

#include "../core/os_version.h"

class CDetailSettingDlg;
class CSelectPortDlg;

extern OsKind g_osKind;                    // written by the Select OS page
extern std::wstring g_selectedPort;        // the chosen port, as the spooler names it
extern CDetailSettingDlg* g_pDetailPage;   // the live Detail Setting page
extern CSelectPortDlg* g_pPortPage;        // the live Select Port page
