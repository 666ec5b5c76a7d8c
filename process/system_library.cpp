#include "system_library.h"

#include <string.h>

HMODULE LoadSystemLibrary(const char *name)
{
    char path[MAX_PATH];
    const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
    const size_t nameLength = strlen(name);
    if (folder == 0 || folder + 1 + nameLength >= MAX_PATH)
        return NULL;
    path[folder] = '\\';
    memcpy(path + folder + 1, name, nameLength + 1);
    // The library's own dependencies are looked for in its folder first.
    return LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}
