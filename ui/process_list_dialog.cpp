#include "process_list_dialog.h"

#include <commctrl.h>

#include "../res/resource.h"
#include "texts.h"

// The one dialog; SortCallback reaches it by name.
ProcessListDialog g_mainDialog;

namespace {

struct ColumnLayout {
    const char *header;
    int width;
    int format;
};

const ColumnLayout kColumns[] = {
    { TEXT_COLUMN_ID, 50, LVCFMT_RIGHT },
    { TEXT_COLUMN_IMAGE, 100, LVCFMT_LEFT },
    { TEXT_COLUMN_PATH, 300, LVCFMT_LEFT },
    { TEXT_COLUMN_OWNER, 100, LVCFMT_LEFT },
};

const int kButtonWidth = 110;
const int kButtonHeight = 25;

}

int ProcessListDialog::SetupColumns()
{
    listWindow = dialogWindow.GetItem(IDC_PROCESS_LIST);
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNA column;
        ZeroMemory(&column, sizeof(column));
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = kColumns[i].format;
        column.cx = kColumns[i].width;
        column.pszText = const_cast<char *>(kColumns[i].header);
        column.iSubItem = i;
        SendMessageA(listWindow, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageA(listWindow, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    return 1;
}

// The list fills the client area but for a 10-pixel margin and the button
// row; the buttons keep their size and stick to the lower right corner.
int ProcessListDialog::LayoutControls(int width, int height)
{
    MoveWindow(listWindow, 10, 10, width - 20, height - 60, TRUE);
    MoveWindow(dialogWindow.GetItem(IDC_REFRESH), width - 235, height - 35, kButtonWidth,
               kButtonHeight, TRUE);
    MoveWindow(dialogWindow.GetItem(IDOK), width - 120, height - 35, kButtonWidth,
               kButtonHeight, TRUE);
    return 1;
}

void ProcessListDialog::InitializeDialog()
{
    SetupColumns();
    RebuildProcessList();
    sortColumn = 0;
    SortList(0);

    RECT client;
    GetClientRect(dialogWindow.handle, &client);
    LayoutControls(client.right - client.left, client.bottom - client.top);

    HINSTANCE instance = dialogWindow.GetInstance();
    HANDLE smallIcon = LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 16, 16,
                                  LR_DEFAULTCOLOR);
    SendMessageA(dialogWindow.handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    HICON bigIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    SendMessageA(dialogWindow.handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));

    lastKey = 0;
    SetFocus(listWindow);
}

void ProcessListDialog::OnNotify(const NMHDR *header)
{
    switch (header->code) {
    case LVN_KEYDOWN:
        TypeAheadSearch(static_cast<char>(
            LOBYTE(reinterpret_cast<const NMLVKEYDOWN *>(header)->wVKey)));
        break;
    case LVN_COLUMNCLICK:
        SortByColumnClick(reinterpret_cast<const NMLISTVIEW *>(header)->iSubItem);
        break;
    }
}

INT_PTR ProcessListDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitializeDialog();
        break;
    case WM_SIZE:
        LayoutControls(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            EndProcessCommand();
            break;
        case IDCANCEL:
            EndDialog(window, 0);
            break;
        case IDC_REFRESH:
            RefreshCommand();
            break;
        }
        break;
    case WM_NOTIFY:
        if (wParam == IDC_PROCESS_LIST)
            OnNotify(reinterpret_cast<const NMHDR *>(lParam));
        break;
    }
    return 0;
}
