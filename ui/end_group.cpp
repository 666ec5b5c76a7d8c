// Ending a group of processes after one warning that counts them: a process
// tree, or every process of one name.
#include <windows.h>

#include "../app/wait_cursor.h"
#include "../process/critical_process.h"
#include "../process/elevation.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

const int kCellChars = kConfirmedNameChars;
// The name, the longer format with its count, and the critical note.
const int kWarningChars = kCellChars + 11 + sizeof(TEXT_END_SAME_NAME_WARNING_FORMAT
                                                   TEXT_END_TREE_WARNING_FORMAT
                                                   TEXT_END_CRITICAL_NOTE);
const int kFailedChars = 11 + sizeof(TEXT_END_TREE_FAILED_FORMAT);

bool HasCriticalMember(const ProcessGroup &group)
{
    for (int i = 0; i < group.count; ++i) {
        if (IsCriticalProcess(group.ids[i]))
            return true;
    }
    return false;
}

// The single command's warning for a group of one: there is nothing to count.
void FormatWarning(char *warning, const char *groupFormat, const char *imageName, int number,
                   bool alone, bool critical)
{
    const int length =
        wsprintfA(warning, alone ? TEXT_END_WARNING_FORMAT : groupFormat, imageName, number);
    if (critical)
        wsprintfA(warning + length, "%s", TEXT_END_CRITICAL_NOTE);
}

}

void ProcessListDialog::EndGroup(const ProcessGroup &group, const char *imageName,
                                 const char *groupFormat, int number)
{
    // Ending a critical process stops Windows itself: No is the default.
    const bool critical = HasCriticalMember(group);
    char warning[kWarningChars];
    FormatWarning(warning, groupFormat, imageName, number, group.count == 1, critical);
    if (MessageBoxA(dialogWindow.handle, warning, TEXT_END_WARNING_CAPTION,
                    MB_YESNO | MB_ICONEXCLAMATION | (critical ? MB_DEFBUTTON2 : 0)) != IDYES)
        return;

    // As for one process, with the count of those that failed, and their
    // reason when they share one.
    GroupEnd end;
    {
        const WaitCursor wait;
        end = TerminateProcessGroup(group, imageName, listTime);
    }
    const int selectedId = static_cast<int>(group.ids[0]);
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
