// The refresh command: rebuild, sort as before, keep the selected process.
#include <windows.h>

#include "../process/process_identity.h"
#include "process_list_dialog.h"

void ProcessListDialog::RefreshCommand()
{
    const int row = SelectedRow();
    const ProcessKey selected = row >= 0 ? KeyOfRow(row) : ProcessKey();

    RebuildProcessList();
    SortList(sortColumn);
    // The selection stays with the process the user selected, never with a
    // newer one that holds its identifier now: the row whose key is the
    // same, both starts as the kernel gave them. A row without a start
    // tells no process, and is left unselected.
    if (row >= 0) {
        const int same = RowOfKey(selected);
        if (same >= 0)
            SelectRow(same);
    }
    SetFocus(listWindow);
}
