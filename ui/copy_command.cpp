// Copying the selected row: PID, image name, path and owner, separated by
// tabs and ended with CR LF, as Unicode text and as the program's code page.
#include <string.h>

#include <windows.h>

#include "../process/shell_calls.h"
#include "list_cell.h"
#include "process_list_dialog.h"

namespace {

// A cell is at most a path long; four of them, three tabs, CR LF and the end.
const int kCellChars = MAX_PATH;
const int kLineChars = 4 * kCellChars + 8;
// Another program may hold the clipboard for a moment.
const int kOpenAttempts = 5;
const DWORD kOpenPauseMs = 20;

int ComposeRowLine(HWND list, int row, char *line)
{
    int length = 0;
    for (int column = 0; column < 4; ++column) {
        ReadListCell(list, row, column, line + length, kCellChars);
        length += static_cast<int>(strlen(line + length));
        line[length++] = column < 3 ? '\t' : '\r';
    }
    line[length++] = '\n';
    line[length] = '\0';
    return length;
}

// The clipboard takes the memory over when it accepts it; otherwise it is
// freed here.
void PutOnClipboard(UINT format, const void *data, SIZE_T bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == NULL)
        return;
    void *target = GlobalLock(memory);
    if (target == NULL) {
        GlobalFree(memory);
        return;
    }
    memcpy(target, data, bytes);
    GlobalUnlock(memory);
    // A refused handle is still ours (cppcheck takes any call as the hand-over).
    if (SetClipboardData(format, memory) == NULL)
        GlobalFree(memory);  // cppcheck-suppress doubleFree
}

bool OpenClipboardPatiently(HWND owner)
{
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (attempt > 0)
            Sleep(kOpenPauseMs);
        if (platform::OpenClipboard(owner))
            return true;
    }
    return false;
}

}

// Both forms, so that the line pastes the same into Unicode programs and
// into those that read the code page, on any system locale.
void ProcessListDialog::CopyCommand()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    char line[kLineChars];
    const int length = ComposeRowLine(listWindow, row, line);
    WCHAR wide[kLineChars];
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, line, length + 1, wide, kLineChars);
    if (wideLength == 0 || !OpenClipboardPatiently(dialogWindow.handle))
        return;
    EmptyClipboard();
    PutOnClipboard(CF_UNICODETEXT, wide, wideLength * sizeof(WCHAR));
    PutOnClipboard(CF_TEXT, line, length + 1);
    CloseClipboard();
}
