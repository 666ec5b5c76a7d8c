// ntstatus.h names the status of a denied end; windows.h names a few of
// the same statuses, so it leaves them to ntstatus.h here.
#define WIN32_NO_STATUS
#include <windows.h>
#undef WIN32_NO_STATUS
#include <ntstatus.h>

#include "terminate.h"

#include "list_text.h"
#include "platform_calls.h"
#include "process_identity.h"
#include "process_module.h"
#include "process_path.h"

namespace {

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

// Whether a denied end met a process that Windows is ending already. The
// status of the refused call says so from the first step of the rundown.
// Where ntdll cannot give it, the exit code tells only a process that has
// exited (GetExitCodeProcess): one still in its rundown then counts as
// guarded, which errs on the side of telling the user it was not ended.
bool IsExiting(HANDLE process)
{
    LONG status;
    if (platform::RtlGetLastNtStatus(&status))
        return status == STATUS_PROCESS_IS_TERMINATING;
    DWORD exitCode;
    return platform::GetExitCodeProcess(process, &exitCode) && exitCode != STILL_ACTIVE;
}

}

bool HasImageName(HANDLE process, const ProcessKey &key, const char *expectedImageName)
{
    if (expectedImageName == NULL || expectedImageName[0] == '\0')
        return true;
    // Where neither the kernel nor, on Windows XP for a file on a device
    // without a drive letter, the loader list names the file, the row's name
    // is the process snapshot's. That snapshot is older than the key: it may
    // name an earlier holder of the identifier, so it vouches for nothing.
    char path[MAX_PATH];
    char name[MAX_PATH];
    const KernelPathResult kernel = ReadKernelImage(process, path, name);
    if (kernel == kKernelPathUnread ||
        (kernel == kKernelPathUnmapped && !ReadLoaderListImage(key, path, name)))
        return false;
    // The row's cell holds the name as the list converted and cut it; this
    // one is converted and cut alike.
    return IsSameName(name, expectedImageName);
}

HANDLE OpenProcessToEnd(const ProcessKey &key, const char *expectedImageName, EndResult *refusal)
{
    RowIdentity identity;
    HANDLE process = OpenIdentifiedProcess(key, kAccessToEnd, &identity);
    if (process == NULL) {
        *refusal = identity == kRowProcessGone ? kEndGone : ReasonOfError(GetLastError());
        return NULL;
    }
    if (!HasImageName(process, key, expectedImageName)) {
        platform::CloseHandle(process);
        *refusal = kEndFailed;
        return NULL;
    }
    return process;
}

EndResult IssueEnd(HANDLE process)
{
    if (platform::TerminateProcess(process, kKilledExitCode))
        return kEnded;
    // The handle holds the right to end: Windows denies the end to a process
    // that is ending already, which is as good as told; the wait tells
    // whether it went. Any other refusal comes from whatever guards the
    // process (security software takes the right from handles as they are
    // made): it is protected.
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED)
        return IsExiting(process) ? kEnded : kEndDenied;
    // Other errors may come from a process that has just ended by itself.
    return HasExited(process) ? kEndGone : ReasonOfError(error);
}

EndResult WaitUntilGone(HANDLE process, DWORD milliseconds)
{
    return platform::WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0 ? kEnded
                                                                                 : kEndLingering;
}

EndResult EndRowProcess(const ProcessKey &key, const char *expectedImageName)
{
    EndResult result;
    HANDLE process = OpenProcessToEnd(key, expectedImageName, &result);
    if (process == NULL)
        return result;
    result = IssueEnd(process);
    if (result == kEnded)
        result = WaitUntilGone(process, kEndWaitMs);
    platform::CloseHandle(process);
    return result;
}
