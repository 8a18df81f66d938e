// Resource and control identifiers. Shared by the resource script and the
// pages, so it holds plain #defines only.
#pragma once

#define IDR_MAINFRAME 128     // the application icon
#define IDS_ABOUTBOX 101      // text of the About entry of the system menu
#define IDM_ABOUTBOX 0x0010   // its system-command identifier

#define IDD_SELECT_OS 129
#define IDD_DETAIL_SETTING 102
#define IDD_SELECT_PORT 139
#define IDD_CREATE_PORT 138
#define IDD_ABOUTBOX 100

// Select OS
#define IDC_OS_VISTA 1020
#define IDC_OS_95 1000
#define IDC_OS_98 1001
#define IDC_OS_NT4 1002
#define IDC_OS_2000 1003
#define IDC_OS_XP 1004
#define IDC_OS_2003 1011
#define IDC_OS_7 1005
#define IDC_OS_8 1006
#define IDC_OS_SLIDER 1007
#define IDC_OS_BACK 1008
#define IDC_OS_NEXT 1009
#define IDC_OS_EXIT 1010

// Detail Setting
#define IDC_MODEL_LIST 1011
#define IDC_SET_DEFAULT 1012
#define IDC_PRINTER_NAME 1013
#define IDC_PORT_LIST 1014
#define IDC_BAUD_RATE 1015
#define IDC_DATA_BITS 1016
#define IDC_FLOW_CONTROL 1017
#define IDC_PARITY 1018
#define IDC_STOP_BITS 1019
#define IDC_DETAIL_BACK 1008
#define IDC_DETAIL_NEXT 1009
#define IDC_DETAIL_EXIT 1010

// Select Port
#define IDC_PORT_VIEW 1021
#define IDC_CREATE_PORT 1008
#define IDC_CONFIGURE_PORT 1009
#define IDC_PORT_BACK 1010
#define IDC_INSTALL 1022
#define IDC_PORT_CANCEL 1023
#define IDC_PORT_SLIDER 1007
#define IDC_PROGRESS 1025

// Create Port
#define IDC_MONITOR_VIEW 1021
#define IDC_NEW_PORT 1008
#define IDC_CREATE_CLOSE 1009

// Initial list data of a dialog (the resource type of the same id as the
// dialog): records of WORD control id, WORD message, DWORD byte count and
// that many bytes of NUL-terminated UTF-8 text, closed by a WORD 0.
#define RT_DLGINIT_DATA 240
#define DLGINIT_ADDSTRING 0x0403  // combo box: add the text as an item
