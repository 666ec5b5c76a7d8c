#include "terminate.h"

#include <string.h>

#include "platform_calls.h"
#include "privilege.h"

namespace {

// The full-access mask of the older platform headers; the newer 0x1FFFFF is
// refused by older systems.
const DWORD kProcessFullAccess = 0x1F0FFF;
const int kFailed = 13;
const DWORD kKilledExitCode = 0xFFFFFFFF;

bool HasImageName(HANDLE process, const char *expectedImageName)
{
    if (expectedImageName == NULL || expectedImageName[0] == '\0')
        return true;
    HMODULE module = NULL;
    DWORD needed;
    char name[MAX_PATH];
    if (!platform::EnumProcessModules(process, &module, sizeof(module), &needed))
        return false;
    if (platform::GetModuleBaseNameA(process, module, name, sizeof(name)) == 0)
        return false;
    // The command reads the name into kConfirmedNameChars characters: a longer
    // name arrives cut to 99 bytes, or to 98 where the list would otherwise
    // split a double-byte character. Such a name matches by its start.
    const size_t shown = strlen(expectedImageName);
    const bool cut = shown >= static_cast<size_t>(kConfirmedNameChars - 2) && strlen(name) > shown;
    if (cut)
        return _strnicmp(name, expectedImageName, shown) == 0;
    return _stricmp(name, expectedImageName) == 0;
}

}

int TerminateById(DWORD processId, const char *expectedImageName)
{
    // The privilege is needed for the open alone; it never outlives it.
    HANDLE process = OpenProcessWithDebugPrivilege(kProcessFullAccess, processId);
    if (process == NULL)
        return kFailed;

    int result = kFailed;
    if (HasImageName(process, expectedImageName)) {
        platform::TerminateProcess(process, kKilledExitCode);
        result = 0;
    }
    platform::CloseHandle(process);
    return result;
}
