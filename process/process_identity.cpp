#include "process_identity.h"

#include "platform_calls.h"
#include "privilege.h"

namespace {

ULONGLONG FileTimeCount(const FILETIME &time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Unknown where the times cannot be read. A running process has no exit
// time yet.
RowIdentity IdentityOf(HANDLE process, ULONGLONG listTime)
{
    FILETIME creation, exit, kernel, user;
    if (!platform::GetProcessTimes(process, &creation, &exit, &kernel, &user))
        return kRowProcessUnknown;
    const bool listed = FileTimeCount(creation) <= listTime && FileTimeCount(exit) == 0;
    return listed ? kRowProcess : kRowProcessGone;
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
    return IdentityOf(process, listTime) == kRowProcess;
}

RowIdentity CheckRowIdentity(DWORD processId, ULONGLONG listTime)
{
    HANDLE process = OpenProcessForQuery(processId);
    if (process == NULL)
        return GetLastError() == ERROR_INVALID_PARAMETER ? kRowProcessGone : kRowProcessUnknown;
    const RowIdentity identity = IdentityOf(process, listTime);
    platform::CloseHandle(process);
    return identity;
}

bool NamesAnotherProcess(DWORD processId, ULONGLONG created)
{
    HANDLE process = OpenProcessForQuery(processId);
    if (process == NULL)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    ULONGLONG started;
    const bool another = ReadCreationTime(process, &started) && started != created;
    platform::CloseHandle(process);
    return another;
}
