/* Resource and control identifiers shared by the resource script and ui/. */
#ifndef VANTRY_RESOURCE_H
#define VANTRY_RESOURCE_H

#define IDD_PROCESS_LIST 101
#define IDI_APP          102

#define IDC_PROCESS_LIST 1001
#define IDC_REFRESH      1002

#endif
