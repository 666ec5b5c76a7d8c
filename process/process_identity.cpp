#include "process_identity.h"

#include "platform_calls.h"
#include "privilege.h"

namespace {

// The full-access mask of the older platform headers; the newer 0x1FFFFF is
// refused by older systems.
const DWORD kProcessFullAccess = 0x1F0FFF;

HANDLE OpenFor(ProcessAccess access, DWORD processId)
{
    switch (access) {
    case kAccessToRead:
        return OpenProcessToRead(processId);
    case kAccessToQuery:
        return OpenProcessForQuery(processId);
    case kAccessToReadMemory:
        return platform::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    case kAccessToEnd:
        break;
    }
    return OpenProcessWithDebugPrivilege(kProcessFullAccess, processId);
}

ULONGLONG FileTimeCount(const FILETIME &time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The one comparison of a process against the time span it must have
// started in. A start that cannot be read counts as outside: nothing is
// known of it. A running process has no exit time yet.
bool StartedWithin(HANDLE process, ULONGLONG earliest, ULONGLONG latest, ULONGLONG *created)
{
    FILETIME creation, exit, kernel, user;
    if (!platform::GetProcessTimes(process, &creation, &exit, &kernel, &user))
        return false;
    *created = FileTimeCount(creation);
    return *created >= earliest && *created <= latest && FileTimeCount(exit) == 0;
}

}

ULONGLONG SystemTimeNow()
{
    FILETIME now;
    platform::GetSystemTimeAsFileTime(&now);
    return FileTimeCount(now);
}

HANDLE OpenIdentifiedProcess(DWORD processId, ULONGLONG earliest, ULONGLONG latest,
                             ProcessAccess access, RowIdentity *identity, ULONGLONG *created)
{
    // Identity before access: a newer program is never opened to be ended,
    // and its refusal of that access is never taken for the row's process
    // refusing.
    if (access == kAccessToEnd) {
        HANDLE asked = OpenIdentifiedProcess(processId, earliest, latest, kAccessToQuery, identity);
        if (asked != NULL)
            platform::CloseHandle(asked);
        if (*identity == kRowProcessGone)
            return NULL;
    }
    HANDLE process = OpenFor(access, processId);
    if (process == NULL) {
        // An identifier that names no process is one whose process ended.
        *identity = GetLastError() == ERROR_INVALID_PARAMETER ? kRowProcessGone : kRowProcessUnknown;
        return NULL;
    }
    // And on the handle that acts, so the process checked is the one acted on.
    ULONGLONG started;
    if (!StartedWithin(process, earliest, latest, created != NULL ? created : &started)) {
        platform::CloseHandle(process);
        *identity = kRowProcessGone;
        return NULL;
    }
    *identity = kRowProcess;
    return process;
}

RowIdentity CheckRowIdentity(DWORD processId, ULONGLONG listTime)
{
    RowIdentity identity;
    HANDLE process = OpenIdentifiedProcess(processId, 0, listTime, kAccessToQuery, &identity);
    if (process != NULL)
        platform::CloseHandle(process);
    return identity;
}
