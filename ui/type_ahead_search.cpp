// First-letter search on the image name, run on every key pressed in the list.
#include <string.h>

#include <windows.h>
#include <commctrl.h>

#include "list_cell.h"
#include "process_list_dialog.h"

namespace {

const int kSearchChars = 200;

bool ImageNameStartsWith(HWND list, int row, char key)
{
    char text[kSearchChars];
    ReadListCell(list, row, 1, text, kSearchChars);
    _strupr(text);
    // A row without an image name never matches.
    return text[0] != '\0' && text[0] == key;
}

}

// Rows after the start come first and the start row itself last, so pressing
// the same key again moves on and a single match stays selected. A new key
// starts as though row 0 were selected.
int ProcessListDialog::TypeAheadSearch(char key)
{
    int start = SelectedRow();
    const int count = static_cast<int>(SendMessageA(listWindow, LVM_GETITEMCOUNT, 0, 0));
    if (key != lastKey || start < 0)
        start = 0;
    lastKey = key;

    for (int step = 1; step <= count; ++step) {
        const int row = (start + step) % count;
        if (ImageNameStartsWith(listWindow, row, key)) {
            SelectRow(row);
            break;
        }
    }
    return 1;
}
