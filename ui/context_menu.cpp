// The list's context menu: right-click on a row, Shift+F10, the Menu key.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include "../process/end_offer.h"
#include "../res/resource.h"
#include "list_cell.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

UINT EnabledIf(bool enabled)
{
    return enabled ? MF_ENABLED : MF_GRAYED;
}

// Built afresh each time. The file's items serve every row, with a path or
// without: the file comes from the kernel, not from the row (and a process
// that emptied its own loader list would otherwise hide its file). No item
// is the default, since a double-click does nothing.
int TrackRowMenu(HWND owner, POINT at, DWORD processId, bool named)
{
    HMENU menu = CreatePopupMenu();
    if (menu == NULL)
        return 0;
    AppendMenuA(menu, MF_STRING | EnabledIf(MayOfferEnd(processId, kEndAlone)), IDOK, TEXT_MENU_END);
    // A tree, or the processes of a name, only where the row's process may
    // be ended with others; and a row without an exact name has nothing to
    // match.
    const bool withOthers = MayOfferEnd(processId, kEndWithOthers);
    AppendMenuA(menu, MF_STRING | EnabledIf(withOthers), IDM_END_TREE, TEXT_MENU_END_TREE);
    AppendMenuA(menu, MF_STRING | EnabledIf(withOthers && named), IDM_END_SAME_NAME,
                TEXT_MENU_END_SAME_NAME);
    AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    AppendMenuA(menu, MF_STRING, IDM_COPY, TEXT_MENU_COPY);
    AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    const UINT program = EnabledIf(HasProgramFile(processId));
    AppendMenuA(menu, MF_STRING | program, IDM_OPEN_LOCATION, TEXT_MENU_OPEN_LOCATION);
    AppendMenuA(menu, MF_STRING | program, IDM_PROPERTIES, TEXT_MENU_PROPERTIES);
    const int command = TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, owner, NULL);
    DestroyMenu(menu);
    return command;
}


}

// From the keyboard (-1, -1) the menu opens below the selected row's name;
// from the mouse at the cursor, on the row under it, which the list has
// selected on the click. Empty space and the header get no menu, and
// neither does a drag of the finder: its row is only a preview.
void ProcessListDialog::OnContextMenu(HWND from, LPARAM where)
{
    if (from != listWindow || finder.Dragging())
        return;
    POINT at = { GET_X_LPARAM(where), GET_Y_LPARAM(where) };
    if (at.x == -1 && at.y == -1) {
        const int row = SelectedRow();
        if (row < 0)
            return;
        SendMessageA(listWindow, LVM_ENSUREVISIBLE, row, FALSE);
        RECT label;
        label.left = LVIR_LABEL;
        if (!SendMessageA(listWindow, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label)))
            return;
        at.x = label.left;
        at.y = label.bottom;
        ClientToScreen(listWindow, &at);
    } else {
        LVHITTESTINFO hit;
        ZeroMemory(&hit, sizeof(hit));
        hit.pt = at;
        ScreenToClient(listWindow, &hit.pt);
        const int row = static_cast<int>(
            SendMessageA(listWindow, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (row < 0)
            return;
        if (row != SelectedRow())
            SelectRow(row);
    }
    // The row is the selected one now, from either side.
    const int row = SelectedRow();
    char name[kNameChars];
    ReadListCell(listWindow, row, 1, name, kNameChars);
    const DWORD processId = static_cast<DWORD>(ProcessIdOfRow(row));
    RunCommand(TrackRowMenu(dialogWindow.handle, at, processId, IsExactName(name)));
}
