#include "critical_process.h"

#include "platform_calls.h"
#include "privilege.h"

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

}

bool IsCriticalProcess(DWORD processId)
{
    HANDLE process = OpenProcessForQuery(processId);
    if (process == NULL)
        return false;
    bool critical = false;
    bool answered = AskCritical(process, &critical);
    platform::CloseHandle(process);
    // Vista to 8 may refuse ntdll's query on a handle with the limited right
    // alone: then it is asked again with full query access.
    if (!answered) {
        process = OpenProcessWithDebugPrivilege(PROCESS_QUERY_INFORMATION, processId);
        if (process == NULL)
            return false;
        answered = AskCritical(process, &critical);
        platform::CloseHandle(process);
    }
    return answered && critical;
}
