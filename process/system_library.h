// Loading a library from the system folder by its full path.
#ifndef VANTRY_SYSTEM_LIBRARY_H
#define VANTRY_SYSTEM_LIBRARY_H

#include <windows.h>

// Loads name (a file name alone) from the system folder, never from the
// program's folder or the current one; NULL when it cannot be loaded. The
// library stays loaded until the process ends.
HMODULE LoadSystemLibrary(const char *name);

#endif
