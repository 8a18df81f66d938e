#include "wizard_state.h"

OsKind g_osKind = 0;
std::wstring g_selectedPort;
CDetailSettingDlg* g_pDetailPage = nullptr;
CSelectPortDlg* g_pPortPage = nullptr;
