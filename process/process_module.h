// The image file as the process's own loader list names it: what the
// process wrote in its own memory. Only Windows XP needs it, for a file on a
// device that no drive letter names, where the kernel gives no path.
#ifndef VANTRY_PROCESS_MODULE_H
#define VANTRY_PROCESS_MODULE_H

#include <windows.h>

#include "process_identity.h"

// The name and full path of the first module, the executable, of the
// process of key, each empty where it cannot be read. False when the
// process or its modules cannot be read.
bool ReadLoaderListImage(const ProcessKey &key, char (&path)[MAX_PATH], char (&name)[MAX_PATH]);

#endif
