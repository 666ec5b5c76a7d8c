#include "terminate.h"

#include <string.h>

#include "platform_calls.h"
#include "privilege.h"
#include "process_identity.h"
#include "process_path.h"

namespace {

// The full-access mask of the older platform headers; the newer 0x1FFFFF is
// refused by older systems.
const DWORD kProcessFullAccess = 0x1F0FFF;
const DWORD kKilledExitCode = 0xFFFFFFFF;

// Why an open or an end failed: an identifier that names no process is one
// that ended; access denied is a limited token or a protected process.
EndResult ReasonOfError(DWORD error)
{
    switch (error) {
    case ERROR_INVALID_PARAMETER:
        return kEndGone;
    case ERROR_ACCESS_DENIED:
        return kEndDenied;
    default:
        return kEndFailed;
    }
}

// A process that has ended may still be opened while something holds it.
bool HasExited(HANDLE process)
{
    return platform::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

// Opens a process with full access, or gives NULL and why not. The
// privilege is needed for the open alone; it never outlives it.
HANDLE OpenForEnd(DWORD processId, EndResult *refusal)
{
    HANDLE process = OpenProcessWithDebugPrivilege(kProcessFullAccess, processId);
    if (process == NULL)
        *refusal = ReasonOfError(GetLastError());
    return process;
}

// Closes a process that a check refused, and gives NULL and the reason.
HANDLE Refuse(HANDLE process, EndResult reason, EndResult *refusal)
{
    platform::CloseHandle(process);
    *refusal = reason;
    return NULL;
}

}

bool HasImageName(HANDLE process, const char *expectedImageName)
{
    if (expectedImageName == NULL || expectedImageName[0] == '\0')
        return true;
    // Where the kernel cannot name the file (Windows XP, a device without a
    // drive letter), the start time the caller checks is the row's identity.
    char path[MAX_PATH];
    char name[MAX_PATH];
    if (!ReadKernelImage(process, path, name))
        return true;
    // The command reads the name into kConfirmedNameChars characters: a longer
    // name arrives cut to 99 bytes, or to 98 where the list would otherwise
    // split a double-byte character. Such a name matches by its start.
    const size_t shown = strlen(expectedImageName);
    const bool cut = shown >= static_cast<size_t>(kConfirmedNameChars - 2) && strlen(name) > shown;
    if (cut)
        return _strnicmp(name, expectedImageName, shown) == 0;
    return _stricmp(name, expectedImageName) == 0;
}

HANDLE OpenProcessOfRow(DWORD processId, const char *expectedImageName, ULONGLONG listTime,
                        EndResult *refusal)
{
    // Identity before access: a newer process under the identifier may
    // refuse full access (another account's, a protected one), which would
    // otherwise read as the row's process refusing.
    if (CheckRowIdentity(processId, listTime) == kRowProcessGone) {
        *refusal = kEndGone;
        return NULL;
    }
    HANDLE process = OpenForEnd(processId, refusal);
    if (process == NULL)
        return NULL;
    // And again on the handle that ends, so the process checked is the
    // process ended.
    if (HasExited(process) || !IsListedProcess(process, listTime))
        return Refuse(process, kEndGone, refusal);
    if (!HasImageName(process, expectedImageName))
        return Refuse(process, kEndFailed, refusal);
    return process;
}

HANDLE OpenProcessStartedAt(DWORD processId, ULONGLONG created, EndResult *refusal)
{
    if (NamesAnotherProcess(processId, created)) {
        *refusal = kEndGone;
        return NULL;
    }
    HANDLE process = OpenForEnd(processId, refusal);
    if (process == NULL)
        return NULL;
    ULONGLONG started;
    if (HasExited(process))
        return Refuse(process, kEndGone, refusal);
    if (!ReadCreationTime(process, &started))
        return Refuse(process, kEndFailed, refusal);
    if (started != created)
        return Refuse(process, kEndGone, refusal);
    return process;
}

EndResult IssueEnd(HANDLE process)
{
    if (platform::TerminateProcess(process, kKilledExitCode))
        return kEnded;
    // The handle holds the right to end: Windows denies the end only to a
    // process that is ending already, which is as good as told; the wait
    // tells whether it went. Nothing protects it.
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED)
        return kEnded;
    // Other errors may come from a process that has just ended by itself.
    return HasExited(process) ? kEndGone : ReasonOfError(error);
}

EndResult WaitUntilGone(HANDLE process, DWORD milliseconds)
{
    return platform::WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0 ? kEnded
                                                                                 : kEndLingering;
}

EndResult TerminateById(DWORD processId, const char *expectedImageName, ULONGLONG listTime)
{
    EndResult result;
    HANDLE process = OpenProcessOfRow(processId, expectedImageName, listTime, &result);
    if (process == NULL)
        return result;
    result = IssueEnd(process);
    if (result == kEnded)
        result = WaitUntilGone(process, kEndWaitMs);
    platform::CloseHandle(process);
    return result;
}
