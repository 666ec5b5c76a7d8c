// A process's executable as the kernel recorded it when the process started:
// by its full path in UTF-16 for the commands that hand the file to the
// shell, and in the list's code page for its cells and the end's name
// check. The process's own memory (its loader list) says what the process
// wants it to; this path is the file it was started from.
#ifndef VANTRY_PROCESS_PATH_H
#define VANTRY_PROCESS_PATH_H

#include <windows.h>

#include "process_identity.h"

// The longest path Windows allows, in characters with the terminator: a
// program started through a subst drive or a junction into a deep folder
// has such a path, which the kernel records whole.
const DWORD kLongestPath = 32768;

enum KernelPathResult {
    kKernelPathRead,
    // Windows XP: the file lies on a device that no drive letter names (a
    // network redirector's, say).
    kKernelPathUnmapped,
    // The process's path could not be read.
    kKernelPathUnread
};

// The kernel's path of an opened process (the limited query right is enough
// from Vista on) and its last part, the image name, both in the list's code
// page and cut to the buffer without splitting a character; a cut path
// ends with an ellipsis. The name is taken from the whole path, however
// long.
KernelPathResult ReadKernelImage(HANDLE process, char (&path)[MAX_PATH], char (&name)[MAX_PATH]);

enum ImagePathResult {
    kImagePathRead,
    // The identifier names no process, or one that is not the row's.
    kImageProcessGone,
    // The process would not open, or its path could not be read or is too
    // long for the shell, or on Windows XP lies on a device that no drive
    // letter names.
    kImagePathUnread
};

// Opens the row's process for query (OpenIdentifiedProcess, by the row's
// key) and reads the path of its image file on that handle, into size
// characters: MAX_PATH for the shell, kLongestPath for the path whole,
// however long, as the user copies it.
ImagePathResult ReadImagePath(const ProcessKey &key, wchar_t *path, DWORD size);

#endif
