// Sorting the list by a column. The list sorts itself; right before it
// does, each row's cell of the sorted column is read from the list,
// and the comparison compares those, then the rows' identifiers as their
// keys hold them.
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
// the enumeration that made it): the identifier of its key, which orders
// column 0 and rows whose cells are equal; the head of its cell of the
// sorted column; and where that whole cell starts in s_texts (a name or a
// path of up to MAX_PATH bytes, an owner; the empty text at 0 for column
// 0). Filled right before each sort, for its comparisons: nothing reads
// the cells from here between sorts. Not re-entrant, which is fine for one
// thread and one dialog.
struct SortRow {
    DWORD processId;
    DWORD head;
    int textAt;
};
SortRow s_rows[kMaxProcesses];
int s_rowCount;
// A row with item data beyond the keys: an empty cell of identifier 0.
const SortRow s_outside = { 0, 0, 0 };
// The cells one after another, each as long as it is, so that the
// comparisons of a sort touch little memory; room for every row's whole
// cell after the empty text at 0.
const int kTextChars = 1 + kMaxProcesses * MAX_PATH;
char s_texts[kTextChars];

// A cell's first four bytes, folded, as one number; bytes past its end
// count as 0. Two cells whose heads differ compare as their heads do, which
// settles most comparisons of names and owners without reaching the texts.
DWORD HeadOf(const char *text)
{
    DWORD head = 0;
    for (int i = 0; i < 4; ++i) {
        const unsigned char byte = FoldedByte(*text);
        head = head << 8 | byte;
        if (byte != '\0')
            ++text;
    }
    return head;
}

// Never a row's item data, which is its place in an enumeration.
const LPARAM kNoItemData = -1;

// A row's cell of a column, whole, and the row's item data (kNoItemData
// where the list gives none). With oneMessage both come from the request
// for the cell, which Wine's list answers with its row's item data too;
// otherwise the item data is asked for in a message of its own.
bool ReadCell(HWND list, int row, int column, bool oneMessage, char *text, LPARAM *itemData)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = oneMessage ? LVIF_TEXT | LVIF_PARAM : LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    item.lParam = kNoItemData;
    text[0] = '\0';
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return false;
    // The list may answer with its own copy of the text, which it ends.
    if (item.pszText != text) {
        const char *answer = item.pszText != NULL ? item.pszText : "";
        const size_t length = strlen(answer);
        memcpy(text, answer, length < MAX_PATH ? length + 1 : MAX_PATH);
    }
    // Some lists cut a long text without a terminator.
    text[MAX_PATH - 1] = '\0';
    if (!oneMessage)
        return ReadItemData(list, row, itemData);
    *itemData = item.lParam;
    return true;
}

// Each row's cell of the sorted column, by the row's item data. Every row
// of a rebuild has item data of its own, so with oneMessage an answer
// without item data, or with one already seen, shows a list that does not
// give it with a cell: false, with the rows read so far left to clear.
bool ReadSortCells(HWND list, int column, bool oneMessage)
{
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    int textEnd = 1;
    for (int row = 0; row < count && textEnd + MAX_PATH <= kTextChars; ++row) {
        LPARAM itemData;
        if (!ReadCell(list, row, column, oneMessage, s_texts + textEnd, &itemData))
            continue;
        if (itemData < 0 || itemData >= s_rowCount || s_rows[itemData].textAt != 0) {
            if (oneMessage)
                return false;
            continue;
        }
        s_rows[itemData].head = HeadOf(s_texts + textEnd);
        s_rows[itemData].textAt = textEnd;
        textEnd += static_cast<int>(strlen(s_texts + textEnd)) + 1;
    }
    return true;
}

// Every row with its key's identifier and an empty cell.
void ClearSortRows(const ProcessKey *keys)
{
    for (int i = 0; i < s_rowCount; ++i) {
        const SortRow row = { keys[i].id, 0, 0 };
        s_rows[i] = row;
    }
}

// The identifiers come from the keys, by item data: every row of a rebuild
// has its key kept, and its identifier is the row's. Only the cells of
// columns 1 to 3 are read from the list, a message a row where the list
// gives the item data with the cell.
void ReadSortRows(HWND list, int column, const ProcessKey *keys, int keyCount)
{
    s_rowCount = keyCount < kMaxProcesses ? keyCount : kMaxProcesses;
    ClearSortRows(keys);
    if (column == 0 || ReadSortCells(list, column, true))
        return;
    ClearSortRows(keys);
    ReadSortCells(list, column, false);
}

const SortRow &SortRowOf(LPARAM itemData)
{
    return itemData >= 0 && itemData < s_rowCount ? s_rows[itemData] : s_outside;
}

int CompareNumbers(DWORD a, DWORD b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

// As CompareNoCase compares the whole cells. Equal heads without an end
// (a last byte not 0) leave the rest to compare.
int CompareCells(const SortRow &row1, const SortRow &row2)
{
    if (row1.head != row2.head || (row1.head & 0xff) == 0)
        return CompareNumbers(row1.head, row2.head);
    return CompareNoCase(s_texts + row1.textAt + 4, s_texts + row2.textAt + 4);
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
                             : CompareCells(row1, row2);
    if (sortDirection[column] == kDescending)
        result = -result;
    return result != 0 ? result : CompareNumbers(row1.processId, row2.processId);
}

void ProcessListDialog::SortList(int column)
{
    if (column >= 0 && column <= 3)
        ReadSortRows(listWindow, column, rowKeys, rowKeyCount);
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
