// The end-process command: warn, and only on Yes terminate and rebuild.
#include <windows.h>
#include <commctrl.h>

#include "../process/critical_process.h"
#include "../process/terminate.h"
#include "list_cell.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

const int kCellChars = kConfirmedNameChars;
// Room for the longest warning: the name, the format and the critical note.
const int kWarningChars = kCellChars + sizeof(TEXT_END_WARNING_FORMAT TEXT_END_CRITICAL_NOTE);

}

void ProcessListDialog::EndProcessCommand()
{
    const int row = SelectedRow();
    if (row < 0)
        return;

    char imageName[kCellChars];
    ReadListCell(listWindow, row, 1, imageName, kCellChars);
    const int processId = ProcessIdOfRow(row);

    // Ending a critical process stops Windows itself: the warning says so,
    // and No becomes the default, so that a hurried Enter ends nothing.
    const bool critical = IsCriticalProcess(processId);
    char warning[kWarningChars];
    wsprintfA(warning, critical ? TEXT_END_WARNING_FORMAT TEXT_END_CRITICAL_NOTE
                                : TEXT_END_WARNING_FORMAT,
              imageName);
    if (MessageBoxA(dialogWindow.handle, warning, TEXT_END_WARNING_CAPTION,
                    MB_YESNO | MB_ICONEXCLAMATION | (critical ? MB_DEFBUTTON2 : 0)) != IDYES)
        return;

    // The row's name and the list's time keep a reused identifier from
    // ending a process the user never saw. On failure the failure box, or
    // the offer to restart as administrator; a restarted Vantry takes over,
    // and this dialog has ended.
    switch (TerminateById(processId, imageName, listTime)) {
    case kEndGone:
        ReportRowGone();
        return;
    case kEndFailed:
        if (OfferRestartAfterFailedEnd(processId, TEXT_END_FAILED))
            return;
        break;
    case kEnded:
        break;
    }
    Sleep(50);
    RebuildProcessList();
}
