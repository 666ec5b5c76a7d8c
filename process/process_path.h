// A process's executable as the kernel recorded it when the process started:
// by its full path in UTF-16 for the commands that hand the file to the
// shell, and in the list's code page for its cells and the end's name
// check. The process's own memory (its loader list) says what the process
// wants it to; this path is the file it was started from.
#ifndef VANTRY_PROCESS_PATH_H
#define VANTRY_PROCESS_PATH_H

#include <windows.h>

enum ImagePathResult {
    kImagePathRead,
    // The identifier names no process, or one started after the list was
    // read (or whose start cannot be read): not the row's process.
    kImageProcessGone,
    // The process would not open, or its path could not be read, or on
    // Windows XP it lies on a device that no drive letter names.
    kImagePathUnread
};

// Opens process processId for query and, on that one handle, confirms that
// it started no later than listTime (a FILETIME count) and reads the path of
// its image file.
ImagePathResult ReadImagePath(DWORD processId, ULONGLONG listTime, wchar_t (&path)[MAX_PATH]);

// The kernel's path of an opened process (the limited query right is enough
// from Vista on) and its last part, the image name, both in the list's code
// page. False when the kernel's path cannot be read, or on Windows XP lies
// on a device that no drive letter names.
bool ReadKernelImage(HANDLE process, char (&path)[MAX_PATH], char (&name)[MAX_PATH]);

#endif
