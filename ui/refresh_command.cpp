// The refresh command: rebuild, sort as before, keep the selected process.
#include <windows.h>

#include "process_list_dialog.h"

void ProcessListDialog::RefreshCommand()
{
    const int row = SelectedRow();
    const int processId = row >= 0 ? ProcessIdOfRow(row) : 0;

    RebuildProcessList();
    SortList(sortColumn);
    if (row >= 0)
        SelectByPid(processId);
    SetFocus(listWindow);
}
