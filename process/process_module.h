// The image file as the process's own loader list names it: what the
// process wrote in its own memory. Only Windows XP needs it, for a file on a
// device that no drive letter names, where the kernel gives no path.
#ifndef VANTRY_PROCESS_MODULE_H
#define VANTRY_PROCESS_MODULE_H

#include <windows.h>

// The name and full path of the first module, the executable, of the row's
// process (started no later than listTime, a FILETIME count), each empty
// where it cannot be read. False when the process or its modules cannot be
// read.
bool ReadLoaderListImage(DWORD processId, ULONGLONG listTime, char (&path)[MAX_PATH],
                         char (&name)[MAX_PATH]);

#endif
