#include "critical_process.h"

#include "platform_calls.h"

namespace {

// The information class of the critical flag, a ULONG (nonzero: critical),
// which ntdll answers from Windows XP SP3 on.
const ULONG kProcessBreakOnTermination = 29;

// Asks IsProcessCritical where Windows has it (8.1 on), and ntdll's query
// where it has not. False when neither answers.
bool AskCritical(HANDLE process, bool *critical)
{
    BOOL flag = FALSE;
    if (platform::IsProcessCritical(process, &flag)) {
        *critical = flag != FALSE;
        return true;
    }
    if (GetLastError() != ERROR_PROC_NOT_FOUND)
        return false;
    ULONG breakOnTermination = 0;
    if (platform::NtQueryInformationProcess(process, kProcessBreakOnTermination,
                                            &breakOnTermination, sizeof(breakOnTermination),
                                            NULL) < 0)
        return false;
    *critical = breakOnTermination != 0;
    return true;
}

enum CriticalAnswer { kCritical, kNotCritical, kNoAnswer, kNotTheKeysProcess };

// Asked on a handle opened as the key's process.
CriticalAnswer AskCriticalWith(const ProcessKey &key, ProcessAccess access)
{
    RowIdentity identity;
    HANDLE process = OpenIdentifiedProcess(key, access, &identity);
    if (process == NULL)
        return kNotTheKeysProcess;
    bool critical = false;
    const bool answered = AskCritical(process, &critical);
    platform::CloseHandle(process);
    return !answered ? kNoAnswer : critical ? kCritical : kNotCritical;
}

}

bool IsCriticalProcess(const ProcessKey &key)
{
    CriticalAnswer answer = AskCriticalWith(key, kAccessToQuery);
    // Vista to 8 may refuse ntdll's query on a handle with the limited right
    // alone: then it is asked again with full query access.
    if (answer == kNoAnswer)
        answer = AskCriticalWith(key, kAccessToQueryFully);
    return answer == kCritical;
}
