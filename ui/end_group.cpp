// Ending a group of processes after one warning that counts them: a process
// tree, or every process of one name.
#include <windows.h>

#include "wait_cursor.h"
#include "../process/critical_process.h"
#include "../process/elevation.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

const int kFailedChars = 11 + sizeof(TEXT_END_TREE_FAILED_FORMAT);

bool HasCriticalMember(const ProcessGroup &group)
{
    for (int i = 0; i < group.count; ++i) {
        if (IsCriticalProcess(group.members[i]))
            return true;
    }
    return false;
}

}

void ProcessListDialog::EndGroup(const ProcessGroup &group, const char *imageName,
                                 const char *groupFormat, int number)
{
    // A group of one gets the single command's warning: nothing to count.
    const char *format = group.count == 1 ? NULL : groupFormat;
    if (!ConfirmEnd(format, imageName, number, HasCriticalMember(group)))
        return;

    // As for one process, with the count of those that failed, and their
    // reason when they share one.
    GroupEnd end;
    {
        const WaitCursor wait;
        end = TerminateProcessGroup(group, imageName);
    }
    const int selectedId = static_cast<int>(group.members[0].id);
    // A member that ended by itself while the rest were ended as warned is
    // no news; a lone process that had ended is, as for the single command.
    if (end.failures == 0) {
        ReportEndResult(selectedId, end.selectedGone && group.count == 1 ? kEndGone : kEnded, NULL);
        return;
    }
    // On a limited token, one denial is reason enough for the offer to
    // restart as administrator, whatever became of the others.
    char failed[kFailedChars];
    wsprintfA(failed, TEXT_END_TREE_FAILED_FORMAT, end.failures);
    ReportEndResult(selectedId, end.anyDenied && RunsNotElevated() ? kEndDenied : end.reason, failed);
}
