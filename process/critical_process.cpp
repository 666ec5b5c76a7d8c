#include "critical_process.h"

#include "platform_calls.h"
#include "privilege.h"

bool IsCriticalProcess(DWORD processId)
{
    // Limited query access is what the question needs, and older systems
    // that do not know it have no critical flag to ask about either.
    HANDLE process = OpenProcessWithDebugPrivilege(PROCESS_QUERY_LIMITED_INFORMATION, processId);
    if (process == NULL)
        return false;
    BOOL critical = FALSE;
    const bool answered = platform::IsProcessCritical(process, &critical) != FALSE;
    platform::CloseHandle(process);
    return answered && critical;
}
