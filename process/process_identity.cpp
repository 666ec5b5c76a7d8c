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
    case kAccessToQuery:
        return OpenProcessForQuery(processId);
    case kAccessToQueryFully:
        return OpenProcessWithDebugPrivilege(PROCESS_QUERY_INFORMATION, processId);
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

// Nothing tells whether a process is the row's.
RowIdentity Untold()
{
    SetLastError(ERROR_INVALID_DATA);
    return kRowProcessUnknown;
}

// The one comparison of an opened process against a row's key. A running
// process has no exit time yet. Times that cannot be read say nothing of
// the process, which may well run.
RowIdentity IdentityOf(HANDLE process, const ProcessKey &key)
{
    // No start to match: nothing says this is the row's process, and
    // nothing is read from it.
    if (key.created == kStartUnknown)
        return Untold();
    ULONGLONG created;
    const ProcessState state = ReadProcessState(process, &created);
    if (state == kProcessTimesUnread)
        return Untold();
    return state == kProcessRunning && created == key.created ? kRowProcess : kRowProcessGone;
}

}

// The exit time tells a process that has exited (GetProcessTimes); unlike
// a wait, it needs no more than the limited query right.
ProcessState ReadProcessState(HANDLE process, ULONGLONG *created)
{
    FILETIME creation, exit, kernel, user;
    if (!platform::GetProcessTimes(process, &creation, &exit, &kernel, &user)) {
        *created = kStartUnknown;
        return kProcessTimesUnread;
    }
    *created = FileTimeCount(creation);
    return FileTimeCount(exit) != 0 ? kProcessExited : kProcessRunning;
}

bool HasExited(HANDLE process)
{
    ULONGLONG created;
    return ReadProcessState(process, &created) == kProcessExited;
}

HANDLE OpenIdentifiedProcess(const ProcessKey &key, ProcessAccess access, RowIdentity *identity)
{
    // Identity before access: a newer program, or one that cannot be told
    // (a row without a start among them), is never opened to be ended, and
    // its refusal of that access is never taken for the row's process
    // refusing. The check's own error says why: a process that refused even
    // to be asked, or one that cannot be told by its start.
    if (access == kAccessToEnd) {
        *identity = CheckProcessKey(key);
        if (*identity != kRowProcess)
            return NULL;
    }
    HANDLE process = OpenFor(access, key.id);
    if (process == NULL) {
        // An identifier that names no process is one whose process ended.
        *identity = GetLastError() == ERROR_INVALID_PARAMETER ? kRowProcessGone : kRowProcessUnknown;
        return NULL;
    }
    // And on the handle that acts, so the process checked is the one acted on.
    *identity = IdentityOf(process, key);
    if (*identity != kRowProcess) {
        const DWORD error = GetLastError();
        platform::CloseHandle(process);
        SetLastError(error);
        return NULL;
    }
    return process;
}

// The last error of a refused open stays for the caller.
RowIdentity CheckProcessKey(const ProcessKey &key)
{
    RowIdentity identity;
    HANDLE process = OpenIdentifiedProcess(key, kAccessToQuery, &identity);
    if (process != NULL)
        platform::CloseHandle(process);
    return identity;
}
