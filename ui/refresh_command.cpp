// The refresh command: rebuild, sort as before, keep the selected process.
#include <stdlib.h>

#include <windows.h>
#include <commctrl.h>

#include "list_cell.h"
#include "process_list_dialog.h"

namespace {

const int kCellChars = 100;

}

void ProcessListDialog::RefreshCommand()
{
    const int row = SelectedRow();
    char idText[kCellChars];
    idText[0] = '\0';
    if (row >= 0)
        ReadListCell(listWindow, row, 0, idText, kCellChars);

    RebuildProcessList();
    SortList(sortColumn);
    if (row >= 0)
        SelectByPid(atoi(idText));
    SetFocus(listWindow);
}
