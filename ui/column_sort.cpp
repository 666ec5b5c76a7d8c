// Sorting the list by a column. The list sorts itself; right before it
// does, each row's identifier and its cell of the sorted column are read
// once from the list, and the comparison compares those.
#include <stdlib.h>
#include <string.h>

#include <windows.h>
#include <commctrl.h>

#include "../process/compare_no_case.h"
#include "../process/process_table.h"
#include "list_cell.h"
#include "process_list_dialog.h"

namespace {

const LONG kDescending = 1;
const LONG kAscending = 2;

// What the comparison knows of a row, by the row's item data (its place in
// the enumeration that made it): the identifier, which orders rows whose
// cells are equal, and where its whole cell of the sorted column starts in
// s_texts (a name or a path of up to MAX_PATH bytes, an owner; the empty
// text at 0 for column 0). Filled for one sort only: between sorts the
// list holds the only copy of the cells. Not re-entrant, which is fine for
// one thread and one dialog.
struct SortRow {
    int processId;
    int textAt;
};
SortRow s_rows[kMaxProcesses];
// A row with item data beyond the table: an empty cell of identifier 0.
SortRow s_outside;
// The cells one after another, each as long as it is, so that the
// comparisons of a sort touch little memory; room for every row's whole
// cell after the empty text at 0.
const int kTextChars = 1 + kMaxProcesses * MAX_PATH;
char s_texts[kTextChars];

const int kIdChars = 16;

// One message a row for its identifier and item data, one more for the
// cell of columns 1 to 3.
void ReadSortRows(HWND list, int column)
{
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    int textEnd = 1;
    for (int row = 0; row < count; ++row) {
        // The list writes one byte short of the buffer's end, which stays
        // the terminator even where a list cuts a text without one.
        char idText[kIdChars] = {};
        LVITEMA item;
        ZeroMemory(&item, sizeof(item));
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = idText;
        item.cchTextMax = kIdChars - 1;
        if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ||
            item.lParam < 0 || item.lParam >= kMaxProcesses)
            continue;
        SortRow &sortRow = s_rows[item.lParam];
        // The list may answer with its own copy of the text.
        sortRow.processId = item.pszText != NULL ? atoi(item.pszText) : 0;
        sortRow.textAt = 0;
        if (column != 0 && textEnd + MAX_PATH <= kTextChars) {
            ReadListCell(list, row, column, s_texts + textEnd, MAX_PATH);
            sortRow.textAt = textEnd;
            textEnd += static_cast<int>(strlen(s_texts + textEnd)) + 1;
        }
    }
}

const SortRow &SortRowOf(LPARAM itemData)
{
    return itemData >= 0 && itemData < kMaxProcesses ? s_rows[itemData] : s_outside;
}

int CompareNumbers(int a, int b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

}

int CALLBACK SortCallback(LPARAM item1, LPARAM item2, LPARAM column)
{
    return g_mainDialog.CompareRows(item1, item2, static_cast<int>(column));
}

// Rows whose cells are equal come in the order of their identifiers,
// ascending in either direction: the same table always shows in the same
// order, and a refresh does not shuffle the rows of one owner.
int ProcessListDialog::CompareRows(LPARAM item1, LPARAM item2, int column)
{
    if (column < 0 || column > 3)
        return 0;
    const SortRow &row1 = SortRowOf(item1);
    const SortRow &row2 = SortRowOf(item2);
    int result = column == 0 ? CompareNumbers(row1.processId, row2.processId)
                             : CompareNoCase(s_texts + row1.textAt, s_texts + row2.textAt);
    if (sortDirection[column] == kDescending)
        result = -result;
    return result != 0 ? result : CompareNumbers(row1.processId, row2.processId);
}

void ProcessListDialog::SortList(int column)
{
    if (column >= 0 && column <= 3)
        ReadSortRows(listWindow, column);
    SendMessageA(listWindow, LVM_SORTITEMS, column, reinterpret_cast<LPARAM>(SortCallback));
    ShowSortArrow(column);
}

// The sorted column's header shows the arrow of its direction, and no other
// header shows one; column -1 leaves every header without. Only a header
// whose arrow changes is set: each one set is drawn again, and a sort
// changes at most two.
void ProcessListDialog::ShowSortArrow(int column)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(listWindow, LVM_GETHEADER, 0, 0));
    for (int i = 0; i < 4; ++i) {
        HDITEMA item;
        ZeroMemory(&item, sizeof(item));
        item.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        const int shown = item.fmt;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column)
            item.fmt |= sortDirection[i] == kDescending ? HDF_SORTDOWN : HDF_SORTUP;
        if (item.fmt != shown)
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
