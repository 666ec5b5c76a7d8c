#include "terminate.h"

#include <string.h>

#include "platform_calls.h"
#include "privilege.h"
#include "process_identity.h"

namespace {

// The full-access mask of the older platform headers; the newer 0x1FFFFF is
// refused by older systems.
const DWORD kProcessFullAccess = 0x1F0FFF;
const DWORD kKilledExitCode = 0xFFFFFFFF;

// Why an open failed: an identifier that names no process is one that ended.
EndResult ReasonOfError(DWORD error)
{
    return error == ERROR_INVALID_PARAMETER ? kEndGone : kEndFailed;
}

// A process that has ended may still be opened while something holds it.
bool HasExited(HANDLE process)
{
    return platform::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

// Ends the opened process unless a check found it is not the one meant,
// and closes it.
EndResult TerminateUnless(HANDLE process, EndResult check)
{
    if (check == kEnded)
        platform::TerminateProcess(process, kKilledExitCode);
    platform::CloseHandle(process);
    return check;
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

EndResult TerminateById(DWORD processId, const char *expectedImageName, ULONGLONG listTime)
{
    // The privilege is needed for the open alone; it never outlives it.
    HANDLE process = OpenProcessWithDebugPrivilege(kProcessFullAccess, processId, true);
    if (process == NULL)
        return ReasonOfError(GetLastError());
    // The start is read on the handle that ends, so the process checked is
    // the process ended.
    if (HasExited(process) || !StartedNoLaterThan(process, listTime))
        return TerminateUnless(process, kEndGone);
    return TerminateUnless(process, HasImageName(process, expectedImageName) ? kEnded : kEndFailed);
}

EndResult TerminateIfStartedAt(DWORD processId, ULONGLONG created)
{
    HANDLE process = OpenProcessWithDebugPrivilege(kProcessFullAccess, processId, true);
    if (process == NULL)
        return ReasonOfError(GetLastError());
    ULONGLONG started;
    if (HasExited(process))
        return TerminateUnless(process, kEndGone);
    if (!ReadCreationTime(process, &started))
        return TerminateUnless(process, kEndFailed);
    return TerminateUnless(process, started == created ? kEnded : kEndGone);
}
