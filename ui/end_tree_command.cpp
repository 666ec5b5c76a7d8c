// The end-process-tree command: the selected process and everything it
// started, after one warning for them all.
#include <windows.h>
#include <commctrl.h>

#include "../app/wait_cursor.h"
#include "../process/critical_process.h"
#include "../process/process_tree.h"
#include "../process/terminate.h"
#include "list_cell.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

const int kCellChars = kConfirmedNameChars;
// The name, the longer format with its count, and the critical note.
const int kWarningChars =
    kCellChars + 11 + sizeof(TEXT_END_TREE_WARNING_FORMAT TEXT_END_CRITICAL_NOTE);
const int kFailedChars = 11 + sizeof(TEXT_END_TREE_FAILED_FORMAT);

bool HasCriticalMember(const ProcessTree &tree)
{
    for (int i = 0; i < tree.count; ++i) {
        if (IsCriticalProcess(tree.ids[i]))
            return true;
    }
    return false;
}

// The single command's warning where the process started nothing.
void FormatWarning(char *warning, const char *imageName, int others, bool critical)
{
    if (others == 0)
        wsprintfA(warning, critical ? TEXT_END_WARNING_FORMAT TEXT_END_CRITICAL_NOTE
                                    : TEXT_END_WARNING_FORMAT,
                  imageName);
    else
        wsprintfA(warning, critical ? TEXT_END_TREE_WARNING_FORMAT TEXT_END_CRITICAL_NOTE
                                    : TEXT_END_TREE_WARNING_FORMAT,
                  imageName, others);
}

}

void ProcessListDialog::EndTreeCommand()
{
    const int row = SelectedRow();
    if (row < 0)
        return;

    char imageName[kCellChars];
    ReadListCell(listWindow, row, 1, imageName, kCellChars);

    // The warning counts what is ended: the tree as it stands now.
    ProcessTree tree;
    GatherProcessTree(ProcessIdOfRow(row), imageName, listTime, &tree);
    if (tree.count == 0)
        return;
    const bool critical = HasCriticalMember(tree);
    char warning[kWarningChars];
    FormatWarning(warning, imageName, tree.count - 1, critical);
    if (MessageBoxA(dialogWindow.handle, warning, TEXT_END_WARNING_CAPTION,
                    MB_YESNO | MB_ICONEXCLAMATION | (critical ? MB_DEFBUTTON2 : 0)) != IDYES)
        return;

    // As for one process, with the count of those that failed, and their
    // reason when they share one.
    TreeEnd end;
    {
        const WaitCursor wait;
        end = TerminateProcessTree(tree, imageName, listTime);
    }
    const int rootId = static_cast<int>(tree.ids[0]);
    // A root that ended by itself while the rest were ended as warned is
    // no news; a lone root that had ended is, as for one process.
    if (end.failures == 0) {
        ReportEndResult(rootId, end.rootGone && tree.count == 1 ? kEndGone : kEnded, NULL);
        return;
    }
    char failed[kFailedChars];
    wsprintfA(failed, TEXT_END_TREE_FAILED_FORMAT, end.failures);
    ReportEndResult(rootId, end.reason, failed);
}
