// The benchmark's start-up floor, the fastest the list's dialog can be
// shown: Vantry's entry point, dialog template, manifest and columns, and
// one row made up here instead of the process table. Linked with
// app/main.cpp in place of the program's run (app/program.cpp).
#include <windows.h>
#include <commctrl.h>

#include "../app/program.h"
#include "../res/resource.h"
#include "../ui/texts.h"

namespace {

// The list's columns as Vantry sets them up, at 96 DPI.
struct Column {
    const char *header;
    int width;
    int format;
};

const Column kColumns[] = {
    { TEXT_COLUMN_ID, 50, LVCFMT_RIGHT },
    { TEXT_COLUMN_IMAGE, 100, LVCFMT_LEFT },
    { TEXT_COLUMN_PATH, 300, LVCFMT_LEFT },
    { TEXT_COLUMN_OWNER, 100, LVCFMT_LEFT },
};

void AddColumns(HWND list)
{
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNA column;
        ZeroMemory(&column, sizeof(column));
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = kColumns[i].format;
        column.cx = kColumns[i].width;
        column.pszText = const_cast<char *>(kColumns[i].header);
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
}

// The benchmark waits for a list with rows: this one has one, its own.
void AddOwnRow(HWND list)
{
    char text[16];
    wsprintfA(text, "%lu", GetCurrentProcessId());
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_TEXT;
    item.pszText = text;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

INT_PTR CALLBACK BareDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        HWND list = GetDlgItem(window, IDC_PROCESS_LIST);
        AddColumns(list);
        AddOwnRow(list);
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, 0);
    }
    return FALSE;
}

}

int RunVantry(HINSTANCE instance, const char *)
{
    InitCommonControls();
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PROCESS_LIST), GetDesktopWindow(), BareDialogProc, 0);
    return 0;
}
