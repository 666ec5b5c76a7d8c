// Copying the selected row: PID, image name, path and owner, separated by
// tabs and ended with CR LF, as Unicode text and as the program's code page.
#include <string.h>
#include <wchar.h>

#include <windows.h>

#include "../process/list_text.h"
#include "../process/process_path.h"
#include "../process/shell_calls.h"
#include "list_cell.h"
#include "process_list_dialog.h"

namespace {

// A cell is at most a path long; the path itself, read from the kernel, may
// be longer. Four cells, three tabs, CR LF and the end.
const int kCellChars = MAX_PATH;
const int kLineChars = 3 * kCellChars + kLongestPath + 8;
// Another program may hold the clipboard for a moment.
const int kOpenAttempts = 5;
const DWORD kOpenPauseMs = 20;

// The row's cells in UTF-16, with path in place of the path's cell unless
// it is null; the length without the terminator.
int ComposeRowLine(HWND list, int row, const wchar_t *path, wchar_t *line)
{
    int length = 0;
    for (int column = 0; column < 4; ++column) {
        if (column == 2 && path != NULL) {
            const int pathLength = static_cast<int>(wcslen(path));
            memcpy(line + length, path, pathLength * sizeof(wchar_t));
            length += pathLength;
        } else {
            char cell[kCellChars];
            ReadListCell(list, row, column, cell, kCellChars);
            const int converted = MultiByteToWideChar(CP_ACP, 0, cell, -1, line + length, kCellChars);
            length += converted > 0 ? converted - 1 : 0;
        }
        line[length++] = column < 3 ? L'\t' : L'\r';
    }
    line[length++] = L'\n';
    line[length] = L'\0';
    return length;
}

// The line as UTF-16, or converted to the code page as the list converts,
// into memory made to its size.
SIZE_T TextBytes(UINT format, const wchar_t *line, int length, char *text, SIZE_T size)
{
    if (format == CF_UNICODETEXT) {
        if (text != NULL)
            memcpy(text, line, size);
        return (length + 1) * sizeof(wchar_t);
    }
    return static_cast<SIZE_T>(ToCodePage(line, length + 1, text, static_cast<int>(size)));
}

// The clipboard takes the memory over when it accepts it; otherwise it is
// freed here.
void PutOnClipboard(UINT format, const wchar_t *line, int length)
{
    const SIZE_T bytes = TextBytes(format, line, length, NULL, 0);
    HGLOBAL memory = bytes == 0 ? NULL : GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == NULL)
        return;
    char *target = static_cast<char *>(GlobalLock(memory));
    if (target == NULL) {
        GlobalFree(memory);
        return;
    }
    TextBytes(format, line, length, target, bytes);
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
// into those that read the code page, on any system locale. The path is
// the kernel's, whole, where the row's process still runs (by its key: a
// row without a start gives its cells as shown): the cell may be cut, or
// hold "?" for a character the code page lacks.
void ProcessListDialog::CopyCommand()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    wchar_t path[kLongestPath];
    const bool whole = ReadImagePath(KeyOfRow(row), path, kLongestPath) == kImagePathRead;
    wchar_t line[kLineChars];
    const int length = ComposeRowLine(listWindow, row, whole ? path : NULL, line);
    if (!OpenClipboardPatiently(dialogWindow.handle))
        return;
    // Only onto a clipboard emptied for it: otherwise both forms would join
    // another program's contents.
    if (EmptyClipboard()) {
        PutOnClipboard(CF_UNICODETEXT, line, length);
        PutOnClipboard(CF_TEXT, line, length);
    }
    CloseClipboard();
}
