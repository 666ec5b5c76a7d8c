// The full path of a file in one of Windows' own folders.
#ifndef VANTRY_SYSTEM_PATH_H
#define VANTRY_SYSTEM_PATH_H

#include <windows.h>

// Writes folder's answer (GetSystemDirectory, GetSystemWindowsDirectory, in
// either character form), a backslash and name into path. False when the
// folder cannot be read or the whole would not fit.
template <typename Char>
bool JoinSystemPath(UINT(WINAPI *folder)(Char *, UINT), const Char *name, Char (&path)[MAX_PATH])
{
    const UINT folderLength = folder(path, MAX_PATH);
    UINT nameLength = 0;
    while (name[nameLength] != 0)
        ++nameLength;
    if (folderLength == 0 || folderLength + 1 + nameLength >= MAX_PATH)
        return false;
    path[folderLength] = '\\';
    for (UINT i = 0; i <= nameLength; ++i)
        path[folderLength + 1 + i] = name[i];
    return true;
}

#endif
