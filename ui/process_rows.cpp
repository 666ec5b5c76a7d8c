// Rebuilds the process list: one row for each record the process table
// gives, written as it is read, and the row's key kept beside it.
#include <windows.h>
#include <commctrl.h>

#include "../process/process_table.h"
#include "list_cell.h"
#include "process_list_dialog.h"
#include "wait_cursor.h"

namespace {

const int kFailed = 13;

enum Column { kColumnId = 0, kColumnImage = 1, kColumnPath = 2, kColumnOwner = 3 };

void InsertRow(HWND list, int row, DWORD processId)
{
    char text[16];
    wsprintfA(text, "%d", processId);
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.iSubItem = kColumnId;
    item.pszText = text;
    item.lParam = row;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void SetCell(HWND list, int row, int column, const char *text)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char *>(text);
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

}

// The wait cursor shows while the list is rebuilt: the window does not
// answer until it is done. Repainting after each cell would cost far more
// than the whole table, so the list is drawn once.
int ProcessListDialog::RebuildProcessList()
{
    const WaitCursor wait;
    rowKeyCount = 0;
    SendMessageA(listWindow, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(listWindow, WM_SETREDRAW, FALSE, 0);
    const bool read = ReadProcessTable(this);
    SendMessageA(listWindow, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listWindow, NULL, TRUE);
    if (!read)
        return kFailed;
    lastKey = 0;
    return 1;
}

// Every row exists before any detail is looked up, so each row's item data
// is its position in this enumeration, and each has a key from the start:
// its identifier, and its start once its record comes.
void ProcessListDialog::TakeIdentifiers(const DWORD *ids, int count)
{
    rowKeyCount = count < kMaxProcesses ? count : kMaxProcesses;
    for (int i = 0; i < rowKeyCount; ++i) {
        InsertRow(listWindow, i, ids[i]);
        const ProcessKey key = { ids[i], kStartUnknown };
        rowKeys[i] = key;
    }
}

// A cell without text stays as the row was made: empty.
void ProcessListDialog::TakeRecord(int index, const ProcessRecord &record)
{
    if (index < 0 || index >= rowKeyCount)
        return;
    rowKeys[index] = record.key;
    const char *const cells[] = { record.name, record.path, record.owner };
    const int columns[] = { kColumnImage, kColumnPath, kColumnOwner };
    for (int i = 0; i < 3; ++i) {
        if (cells[i][0] != '\0')
            SetCell(listWindow, index, columns[i], cells[i]);
    }
}

// The key kept for the row's item data. A row whose item data names no key
// of the last rebuild, or a key of another identifier, gets a key with no
// start: no action opens its process as the row's.
ProcessKey ProcessListDialog::KeyOfRow(int row) const
{
    const DWORD processId = static_cast<DWORD>(ProcessIdOfRow(row));
    LPARAM index;
    if (ReadItemData(listWindow, row, &index) && index >= 0 && index < rowKeyCount &&
        rowKeys[index].id == processId)
        return rowKeys[index];
    const ProcessKey unknown = { processId, kStartUnknown };
    return unknown;
}
