#include "terminate.h"

#include <string.h>

#include "platform_calls.h"
#include "privilege.h"
#include "process_identity.h"

namespace {

// The full-access mask of the older platform headers; the newer 0x1FFFFF is
// refused by older systems.
const DWORD kProcessFullAccess = 0x1F0FFF;
const int kFailed = 13;
const DWORD kKilledExitCode = 0xFFFFFFFF;

// Ends the opened process when it is the one meant, and closes it.
int TerminateIfSame(HANDLE process, bool same)
{
    if (same)
        platform::TerminateProcess(process, kKilledExitCode);
    platform::CloseHandle(process);
    return same ? 0 : kFailed;
}

}

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

int TerminateById(DWORD processId, const char *expectedImageName)
{
    // The privilege is needed for the open alone; it never outlives it.
    HANDLE process = OpenProcessWithDebugPrivilege(kProcessFullAccess, processId);
    if (process == NULL)
        return kFailed;

    return TerminateIfSame(process, HasImageName(process, expectedImageName));
}

int TerminateIfStartedAt(DWORD processId, ULONGLONG created)
{
    HANDLE process = OpenProcessWithDebugPrivilege(kProcessFullAccess, processId);
    // A descendant often ends by itself once the process that started it
    // has gone: its identifier then names no process, and there is nothing
    // left to end.
    if (process == NULL)
        return GetLastError() == ERROR_INVALID_PARAMETER ? 0 : kFailed;
    ULONGLONG started;
    return TerminateIfSame(process, ReadCreationTime(process, &started) && started == created);
}
