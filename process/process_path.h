// A process's executable by its full path in UTF-16, for the commands that
// hand the file to the shell: the list shows the path in the program's code
// page, which has no place for many of the characters a path can hold.
#ifndef VANTRY_PROCESS_PATH_H
#define VANTRY_PROCESS_PATH_H

#include <windows.h>

// Opens a process for query and read, as the list reads it, and finds its
// first module, the executable. NULL when either fails; the caller closes
// the handle.
HANDLE OpenProcessModule(DWORD processId, HMODULE *module);

// Reads the path of process processId again, as the list read it, and
// confirms that it is the process the list showed: in the program's code
// page it must read exactly shownPath. False when it cannot be read or is
// another (the process ended, its identifier given to a new one). The
// kernel's own forms (\??\C:\..., \SystemRoot\...) come back as paths the
// shell reads.
bool ReadProcessPath(DWORD processId, const char *shownPath, wchar_t (&path)[MAX_PATH]);

#endif
