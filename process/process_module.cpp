#include "process_module.h"

#include "platform_calls.h"

HANDLE OpenProcessModule(DWORD processId, HMODULE *module)
{
    HANDLE process =
        platform::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == NULL)
        return NULL;
    // A process whose loader has not run yet lists no module and leaves this
    // untouched; a null module then names the executable.
    *module = NULL;
    DWORD needed;
    if (!platform::EnumProcessModules(process, module, sizeof(*module), &needed)) {
        platform::CloseHandle(process);
        return NULL;
    }
    return process;
}
