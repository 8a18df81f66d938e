// Templates, controls and captions of the reference programs, shared with the
// timing driver that finds and presses them.
#pragma once

#define IDD_REF_FIRST_PAGE 100
#define IDD_REF_INSTALL 101
#define IDD_REF_PORTS 102
#define IDD_REF_PORT_LIST 103

#define IDC_REF_INSTALL 1022
#define IDC_REF_NEXT 1009
#define IDC_REF_PORT_VIEW 1021

#define REF_FIRST_PAGE_CAPTION "Reference First Page"
#define REF_INSTALL_CAPTION "Reference Install"
#define REF_PORTS_CAPTION "Reference Ports"
#define REF_PORT_LIST_CAPTION "Reference Port List"
