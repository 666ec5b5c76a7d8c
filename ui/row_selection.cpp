// Selecting a row, and finding the row of a process identifier.
#include <stdlib.h>
#include <string.h>

#include <windows.h>
#include <commctrl.h>

#include "../process/end_offer.h"
#include "../process/process_identity.h"
#include "list_cell.h"
#include "process_list_dialog.h"

namespace {

const int kSearchChars = 200;
// The identifier cell is read into 100 characters, as the end-process
// command reads it.
const int kIdChars = 100;

}

// LVNI_VISIBLEONLY changes nothing in a list without groups.
int ProcessListDialog::SelectedRow() const
{
    return static_cast<int>(SendMessageA(listWindow, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         LVNI_SELECTED | LVNI_VISIBLEONLY));
}

// The selected row, where it stands for a program, which has a file. -1
// otherwise.
int ProcessListDialog::SelectedProgramRow() const
{
    const int row = SelectedRow();
    return row >= 0 && HasProgramFile(static_cast<DWORD>(ProcessIdOfRow(row))) ? row : -1;
}

// The selected row, where its process may be offered for ending so. -1
// otherwise.
int ProcessListDialog::SelectedRowToEnd(EndScope scope) const
{
    const int row = SelectedRow();
    return row >= 0 && MayOfferEnd(static_cast<DWORD>(ProcessIdOfRow(row)), scope) ? row : -1;
}

// The list allows one selected row, so this also deselects the previous one.
void ProcessListDialog::SelectRow(int row)
{
    SendMessageA(listWindow, LVM_ENSUREVISIBLE, row, TRUE);
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(listWindow, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// The process identifier a row shows, as atoi reads its text.
int ProcessListDialog::ProcessIdOfRow(int row) const
{
    char idText[kIdChars];
    ReadListCell(listWindow, row, 0, idText, kIdChars);
    return atoi(idText);
}

// The first row whose identifier is processId, or -1.
int ProcessListDialog::RowOfPid(int processId)
{
    const int count = static_cast<int>(SendMessageA(listWindow, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        char text[kSearchChars];
        ReadListCell(listWindow, row, 0, text, kSearchChars);
        _strupr(text);
        if (atoi(text) == processId)
            return row;
    }
    return -1;
}

// The finder's rows. A process started since the list was built is
// listed by a rebuild as the refresh command does it, which keeps the
// selection from before.
int ProcessListDialog::RowOfProcess(int processId, bool rebuild)
{
    int row = RowOfPid(processId);
    // A row of the identifier stands for the process of its key; a newer
    // one under the identifier, or one the row cannot be told to be (the
    // row has no start, or the process cannot be asked), needs a list read
    // now.
    if (rebuild && (row < 0 || CheckProcessKey(KeyOfRow(row)) != kRowProcess)) {
        RefreshCommand();
        row = RowOfPid(processId);
    }
    return row;
}

void ProcessListDialog::ShowRow(int row)
{
    if (row >= 0) {
        SelectRow(row);
        return;
    }
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.stateMask = LVIS_SELECTED;
    SendMessageA(listWindow, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&item));
}

void ProcessListDialog::ChooseRow(int row)
{
    SelectRow(row);
    SetFocus(listWindow);
}

// The row of key's process, as the last rebuild keyed it, or -1.
int ProcessListDialog::RowOfKey(const ProcessKey &key)
{
    const int row = RowOfPid(static_cast<int>(key.id));
    return row >= 0 && SameProcessKey(KeyOfRow(row), key) ? row : -1;
}

int ProcessListDialog::SelectByPid(int processId)
{
    const int row = RowOfPid(processId);
    if (row >= 0)
        SelectRow(row);
    return 1;
}
