/* Resource and control identifiers shared by the resource script and ui/. */
#ifndef VANTRY_RESOURCE_H
#define VANTRY_RESOURCE_H

#define IDD_PROCESS_LIST 101
#define IDI_APP          102

#define IDC_PROCESS_LIST 1001
#define IDC_REFRESH      1002
/* Made at run time: the finder's crosshair. */
#define IDC_FINDER       1003

/* The list's context menu; its end-process item is IDOK, as the button. */
#define IDM_COPY          2001
#define IDM_OPEN_LOCATION 2002
#define IDM_PROPERTIES    2003
#define IDM_END_TREE      2004
#define IDM_END_SAME_NAME 2005

/* The window menu's items: the low four bits of a window-menu command are
   the system's, so they are 0 here. */
#define IDM_RESTART_ELEVATED 0x7E0
#define IDM_ALWAYS_ON_TOP    0x7D0

#endif
