// Opening a process as the list reads it: its name, path and owner.
#ifndef VANTRY_PROCESS_MODULE_H
#define VANTRY_PROCESS_MODULE_H

#include <windows.h>

// Opens a process for query and read, and finds its first module, the
// executable. NULL when either fails; the caller closes the handle.
HANDLE OpenProcessModule(DWORD processId, HMODULE *module);

#endif
