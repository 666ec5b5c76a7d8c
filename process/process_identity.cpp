#include "process_identity.h"

#include "platform_calls.h"

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

bool StartedNoLaterThan(HANDLE process, ULONGLONG time)
{
    ULONGLONG created;
    return ReadCreationTime(process, &created) && created <= time;
}
