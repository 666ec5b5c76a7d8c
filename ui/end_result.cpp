// What the user is told after an end: nothing once the process is gone,
// else why not, in a box with the failure box's caption, icon and owner.
#include <windows.h>

#include "../process/elevation.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

// The tree's count, two line breaks and the longest reason.
const int kFailureChars = 64 + sizeof(TEXT_END_STILL_RUNNING);

// Why the end failed, where that is known. Access is denied to an elevated
// token only for a process that Windows protects.
const char *ReasonText(EndResult result)
{
    if (result == kEndLingering)
        return TEXT_END_STILL_RUNNING;
    if (result == kEndDenied && RunsElevated())
        return TEXT_END_PROTECTED;
    return NULL;
}

}

// count is the tree's count of members that failed, NULL for one process.
// The list is read again after every box, but not after a restart, which
// ends this dialog (then the result is true).
bool ProcessListDialog::ReportEndResult(int processId, EndResult result, const char *count)
{
    if (result == kEndGone) {
        ReportRowGone();
        return false;
    }
    // Only an elevated token opens every process: on a limited one, the
    // offer to restart as administrator.
    if (result == kEndDenied && RunsNotElevated()) {
        if (OfferRestartAfterFailedEnd(processId, count != NULL ? count : TEXT_END_FAILED))
            return true;
    } else if (result != kEnded) {
        const char *reason = ReasonText(result);
        char text[kFailureChars];
        if (count != NULL)
            wsprintfA(text, reason != NULL ? "%s\r\n\r\n%s" : "%s", count, reason);
        ShowFailure(count != NULL ? text : reason != NULL ? reason : TEXT_END_FAILED);
    }
    // The rows come back in the order they were read: no header's arrow
    // tells of it until the next sort.
    RebuildProcessList();
    ShowSortArrow(-1);
    return false;
}
