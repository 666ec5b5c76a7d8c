#include "process_module.h"

#include "platform_calls.h"
#include "process_identity.h"

bool ReadLoaderListImage(const ProcessKey &key, char (&path)[MAX_PATH], char (&name)[MAX_PATH])
{
    RowIdentity identity;
    HANDLE process = OpenIdentifiedProcess(key, kAccessToReadMemory, &identity);
    if (process == NULL)
        return false;
    // A process whose loader has not run yet lists no module and leaves this
    // untouched; a null module then names the executable.
    HMODULE module = NULL;
    DWORD needed;
    const bool listed = platform::EnumProcessModules(process, &module, sizeof(module), &needed) != FALSE;
    if (listed) {
        if (platform::GetModuleBaseNameA(process, module, name, MAX_PATH) == 0)
            name[0] = '\0';
        if (platform::GetModuleFileNameExA(process, module, path, MAX_PATH) == 0)
            path[0] = '\0';
    }
    platform::CloseHandle(process);
    return listed;
}
