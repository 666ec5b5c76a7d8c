#include "process_identity.h"

#include "platform_calls.h"
#include "privilege.h"

namespace {

ULONGLONG FileTimeCount(const FILETIME &time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}

ULONGLONG SystemTimeNow()
{
    FILETIME now;
    platform::GetSystemTimeAsFileTime(&now);
    return FileTimeCount(now);
}

bool ReadCreationTime(HANDLE process, ULONGLONG *created)
{
    FILETIME creation, exit, kernel, user;
    if (!platform::GetProcessTimes(process, &creation, &exit, &kernel, &user))
        return false;
    *created = FileTimeCount(creation);
    return true;
}

bool IsListedProcess(HANDLE process, ULONGLONG listTime)
{
    FILETIME creation, exit, kernel, user;
    if (!platform::GetProcessTimes(process, &creation, &exit, &kernel, &user))
        return false;
    // A running process has no exit time yet.
    return FileTimeCount(creation) <= listTime && FileTimeCount(exit) == 0;
}

RowIdentity CheckRowIdentity(DWORD processId, ULONGLONG listTime)
{
    HANDLE process = OpenProcessForQuery(processId);
    if (process == NULL)
        return GetLastError() == ERROR_INVALID_PARAMETER ? kRowProcessGone : kRowProcessUnknown;
    const bool listed = IsListedProcess(process, listTime);
    platform::CloseHandle(process);
    return listed ? kRowProcess : kRowProcessGone;
}
