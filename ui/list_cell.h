// Reads one cell of a list-view row into a bounded buffer, and a row's item
// data.
#ifndef VANTRY_LIST_CELL_H
#define VANTRY_LIST_CELL_H

#include <windows.h>
#include <commctrl.h>

// The buffer holds at most size characters including the terminator; it is
// empty when the row has no such cell. Some list-view versions cut a long
// text without terminating it, so the last byte is always set here: the
// texts go on into wsprintfA and string comparisons.
inline void ReadListCell(HWND list, int row, int column, char *text, int size)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = size;
    text[0] = '\0';
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    text[size - 1] = '\0';
}

// The row's item data: its place in the enumeration that made it.
inline bool ReadItemData(HWND list, int row, LPARAM *data)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return false;
    *data = item.lParam;
    return true;
}

#endif
