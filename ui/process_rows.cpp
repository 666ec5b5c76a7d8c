// Rebuilds the process list: one row for each record the process table
// gives, written as it is read.
#include <windows.h>
#include <commctrl.h>

#include "../process/process_table.h"
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

// A cell without text stays as the row was made: empty.
void WriteRecord(HWND list, int row, const ProcessRecord &record)
{
    const char *const cells[] = { record.name, record.path, record.owner };
    const int columns[] = { kColumnImage, kColumnPath, kColumnOwner };
    for (int i = 0; i < 3; ++i) {
        if (cells[i][0] != '\0')
            SetCell(list, row, columns[i], cells[i]);
    }
}

void WriteSnapshotName(int row, const char *name, void *list)
{
    SetCell(static_cast<HWND>(list), row, kColumnImage, name);
    SetCell(static_cast<HWND>(list), row, kColumnPath, "");
}

}

// The wait cursor shows while the list is rebuilt: the window does not
// answer until it is done.
int ProcessListDialog::RebuildProcessList()
{
    const WaitCursor wait;
    ProcessTable table;
    const bool opened = OpenProcessTable(&table);
    listTime = table.time;
    SendMessageA(listWindow, LVM_DELETEALLITEMS, 0, 0);
    if (!opened)
        return kFailed;

    // Every row exists before any detail is looked up, so each row's item
    // data is its position in this enumeration. Repainting after each cell
    // would cost far more than the whole table, so the list is drawn once.
    SendMessageA(listWindow, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < table.count; ++i)
        InsertRow(listWindow, i, table.ids[i]);
    for (int j = 0; j < table.count; ++j) {
        ProcessRecord record;
        ReadProcessRecord(&table, j, &record);
        WriteRecord(listWindow, j, record);
    }
    ReadSnapshotNames(&table, WriteSnapshotName, listWindow);
    SendMessageA(listWindow, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listWindow, NULL, TRUE);

    CloseProcessTable(&table);
    lastKey = 0;
    return 1;
}
