// The end-process command: warn, and only on Yes terminate and rebuild.
#include <windows.h>
#include <commctrl.h>

#include "wait_cursor.h"
#include "../process/critical_process.h"
#include "../process/terminate.h"
#include "list_cell.h"
#include "process_list_dialog.h"
#include "texts.h"

void ProcessListDialog::EndProcessCommand()
{
    const int row = SelectedRowToEnd(kEndAlone);
    if (row < 0)
        return;

    char imageName[kNameChars];
    ReadListCell(listWindow, row, 1, imageName, kNameChars);
    const ProcessKey key = KeyOfRow(row);

    if (!ConfirmEnd(NULL, imageName, 0, IsCriticalProcess(key)))
        return;

    // The row's key and name keep a reused identifier from ending a
    // process the user never saw. The end waits for the process to be
    // gone, so the list read next no longer shows it.
    EndResult result;
    {
        const WaitCursor wait;
        result = EndRowProcess(key, imageName);
    }
    ReportEndResult(static_cast<int>(key.id), result, NULL);
}
