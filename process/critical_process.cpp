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
    // Limited query access is what the question needs from Vista on. Windows
    // XP and Server 2003 do not know that right and refuse the open, and
    // Vista to 8 may refuse ntdll's query on such a handle: then the same
    // question is asked again with full query access.
    const DWORD accesses[] = { PROCESS_QUERY_LIMITED_INFORMATION, PROCESS_QUERY_INFORMATION };
    for (DWORD access : accesses) {
        HANDLE process = OpenProcessWithDebugPrivilege(access, processId);
        if (process == NULL)
            continue;
        bool critical = false;
        const bool answered = AskCritical(process, &critical);
        platform::CloseHandle(process);
        if (answered)
            return critical;
    }
    return false;
}
