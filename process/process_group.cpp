#include "process_group.h"

#include "platform_calls.h"

namespace {

// A member that is gone, or was gone before, is ended; the rest are counted,
// with their reason while they share one.
void CountResult(EndResult result, GroupEnd *end)
{
    if (result == kEnded || result == kEndGone)
        return;
    end->reason = end->failures == 0 || end->reason == result ? result : kEndFailed;
    end->anyDenied = end->anyDenied || result == kEndDenied;
    ++end->failures;
}

// Opens a member and tells it to end: the handle to wait on, or NULL and
// why not.
HANDLE OpenMemberToldToEnd(const ProcessGroup &group, int member, const char *imageName,
                           EndResult *result)
{
    HANDLE process = OpenProcessToEnd(group.members[member],
                                      member < group.rowMembers ? imageName : NULL, result);
    if (process == NULL)
        return NULL;
    *result = IssueEnd(process);
    if (*result == kEnded)
        return process;
    platform::CloseHandle(process);
    return NULL;
}

}

GroupEnd TerminateProcessGroup(const ProcessGroup &group, const char *imageName)
{
    GroupEnd end = { 0, kEndFailed, false, false };
    HANDLE told[kMaxGroupProcesses];
    int toldCount = 0;
    for (int i = 0; i < group.count; ++i) {
        EndResult result;
        HANDLE process = OpenMemberToldToEnd(group, i, imageName, &result);
        if (process != NULL) {
            told[toldCount++] = process;
            continue;
        }
        if (result == kEndGone && i == 0)
            end.selectedGone = true;
        CountResult(result, &end);
    }
    // One wait for them all: each member gets what is left of it.
    const DWORD start = platform::GetTickCount();
    for (int j = 0; j < toldCount; ++j) {
        const DWORD waited = platform::GetTickCount() - start;
        CountResult(WaitUntilGone(told[j], waited < kEndWaitMs ? kEndWaitMs - waited : 0), &end);
        platform::CloseHandle(told[j]);
    }
    return end;
}
