#include "system_library.h"

#include "system_path.h"

HMODULE LoadSystemLibrary(const char *name)
{
    char path[MAX_PATH];
    if (!JoinSystemPath(GetSystemDirectoryA, name, path))
        return NULL;
    // The library's own dependencies are looked for in its folder first.
    return LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}
