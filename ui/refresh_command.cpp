// The refresh command: rebuild, sort as before, keep the selected process.
#include <stdlib.h>

#include <windows.h>
#include <commctrl.h>

#include "../res/resource.h"
#include "list_cell.h"
#include "process_list_dialog.h"

namespace {

const int kCellChars = 100;

}

void ProcessListDialog::RefreshCommand()
{
    HWND list = dialogWindow.GetItem(IDC_PROCESS_LIST);
    const int row = static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    char idText[kCellChars];
    idText[0] = '\0';
    if (row >= 0)
        ReadListCell(list, row, 0, idText, kCellChars);

    RebuildProcessList();
    SortList(sortColumn);
    if (row >= 0)
        SelectByPid(atoi(idText));
    SetFocus(list);
}
