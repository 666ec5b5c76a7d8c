// Sorting the list by a column. The list sorts itself; the comparison reads
// the two rows' cells back from the list.
#include <stdlib.h>

#include <windows.h>
#include <commctrl.h>

#include "../process/compare_no_case.h"
#include "list_cell.h"
#include "process_list_dialog.h"

namespace {

const LONG kDescending = 1;
const LONG kAscending = 2;
const int kCompareChars = 30;

// Scratch shared by every comparison: not re-entrant, which is fine for one
// thread and one dialog.
// Zeroed like the rest: an initialised one would cost the program a data
// section of its own, for one flag.
LVFINDINFOA s_find;
int s_row1;
int s_row2;
char s_text1[32];
char s_text2[32];

// A row the list cannot find reads as an empty cell.
void ReadSortCell(HWND list, int row, int column, char *text)
{
    if (row < 0)
        text[0] = '\0';
    else
        ReadListCell(list, row, column, text, kCompareChars);
}

int FindRow(HWND list, LPARAM itemData)
{
    s_find.flags = LVFI_PARAM;
    s_find.lParam = itemData;
    return static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&s_find)));
}

}

int CALLBACK SortCallback(LPARAM item1, LPARAM item2, LPARAM column)
{
    return g_mainDialog.CompareRows(item1, item2, static_cast<int>(column));
}

int ProcessListDialog::CompareRows(LPARAM item1, LPARAM item2, int column)
{
    if (column < 0 || column > 3)
        return 0;
    s_row1 = FindRow(listWindow, item1);
    s_row2 = FindRow(listWindow, item2);
    ReadSortCell(listWindow, s_row1, column, s_text1);
    ReadSortCell(listWindow, s_row2, column, s_text2);

    if (column == 0) {
        const int a = atoi(s_text1);
        const int b = atoi(s_text2);
        return sortDirection[0] == kDescending ? b - a : a - b;
    }
    const int result = CompareNoCase(s_text1, s_text2);
    return sortDirection[column] == kDescending ? -result : result;
}

void ProcessListDialog::SortList(int column)
{
    SendMessageA(listWindow, LVM_SORTITEMS, column, reinterpret_cast<LPARAM>(SortCallback));
    ShowSortArrow(column);
}

// The sorted column's header shows the arrow of its direction, and no other
// header shows one; column -1 leaves every header without.
void ProcessListDialog::ShowSortArrow(int column)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(listWindow, LVM_GETHEADER, 0, 0));
    for (int i = 0; i < 4; ++i) {
        HDITEMA item;
        ZeroMemory(&item, sizeof(item));
        item.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column)
            item.fmt |= sortDirection[i] == kDescending ? HDF_SORTDOWN : HDF_SORTUP;
        SendMessageA(header, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
}

// Each column keeps its own direction; the first click sorts ascending.
void ProcessListDialog::SortByColumnClick(int column)
{
    if (column < 0 || column > 3)
        return;
    sortDirection[column] = sortDirection[column] == kAscending ? kDescending : kAscending;
    sortColumn = column;
    SortList(column);
}
