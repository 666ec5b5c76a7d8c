// The refresh command: rebuild, sort as before, keep the selected process.
#include <windows.h>

#include "../process/process_identity.h"
#include "../process/process_table.h"
#include "process_list_dialog.h"

void ProcessListDialog::RefreshCommand()
{
    const int row = SelectedRow();
    const int processId = row >= 0 ? ProcessIdOfRow(row) : 0;
    const ULONGLONG shownTime = listTime;

    RebuildProcessList();
    SortList(sortColumn);
    // The selection stays with the process the user selected, never with a
    // newer one that holds its identifier now. The idle process is always
    // the same.
    const DWORD id = static_cast<DWORD>(processId);
    if (row >= 0 && (id == kIdleProcessId || CheckRowIdentity(id, shownTime) != kRowProcessGone))
        SelectByPid(processId);
    SetFocus(listWindow);
}
