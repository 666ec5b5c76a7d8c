#include "process_list_dialog.h"

#include <commctrl.h>

#include "../res/resource.h"
#include "display_scale.h"
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
        column.cx = Scaled(kColumns[i].width);
        column.pszText = const_cast<char *>(kColumns[i].header);
        column.iSubItem = i;
        SendMessageA(listWindow, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageA(listWindow, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    return 1;
}

int ProcessListDialog::Scaled(int figure) const
{
    return ScaleToDpi(figure, dpi);
}

// The list fills the client area but for a 10-pixel margin and the button
// row; the buttons keep their size and stick to the lower right corner.
// The figures are pixels at 96 DPI.
int ProcessListDialog::LayoutControls(int width, int height)
{
    MoveWindow(listWindow, Scaled(10), Scaled(10), width - Scaled(20), height - Scaled(60), TRUE);
    MoveWindow(dialogWindow.GetItem(IDC_REFRESH), width - Scaled(235), height - Scaled(35),
               Scaled(kButtonWidth), Scaled(kButtonHeight), TRUE);
    MoveWindow(dialogWindow.GetItem(IDOK), width - Scaled(120), height - Scaled(35),
               Scaled(kButtonWidth), Scaled(kButtonHeight), TRUE);
    finder.Layout(width, height, dpi);
    return 1;
}

void ProcessListDialog::LayoutToClientArea()
{
    RECT client;
    GetClientRect(dialogWindow.handle, &client);
    LayoutControls(client.right - client.left, client.bottom - client.top);
}

// The caption icon at the size this DPI wants, from the one 32 x 32 image.
// The icon it replaces was loaded here too, for another DPI.
void ProcessListDialog::SetSmallIcon()
{
    const int size = SmallIconSize(dpi);
    HANDLE icon = LoadImageA(dialogWindow.GetInstance(), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                             size, size, LR_DEFAULTCOLOR);
    HICON replaced = reinterpret_cast<HICON>(SendMessageA(
        dialogWindow.handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    if (replaced != NULL && replaced != icon)
        DestroyIcon(replaced);
}

// Every failure the dialog reports, in one kind of box: owned by the
// dialog, captioned "Error", with the exclamation icon.
void ProcessListDialog::ShowFailure(const char *text)
{
    MessageBoxA(dialogWindow.handle, text, TEXT_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

// Windows moved the dialog to a monitor of another scale (per-monitor v2
// only; system-aware, the dialog never hears of it): the columns keep
// their widths in proportion (a width the user dragged included), and the
// window takes the rectangle Windows suggests for the new DPI.
void ProcessListDialog::OnDpiChanged(UINT newDpi, const RECT *suggested)
{
    if (newDpi == 0 || suggested == NULL || IsRectEmpty(suggested))
        return;
    for (int i = 0; i < 4; ++i) {
        const int width = static_cast<int>(SendMessageA(listWindow, LVM_GETCOLUMNWIDTH, i, 0));
        SendMessageA(listWindow, LVM_SETCOLUMNWIDTH, i,
                     MulDiv(width, static_cast<int>(newDpi), static_cast<int>(dpi)));
    }
    dpi = newDpi;
    SetWindowPos(dialogWindow.handle, NULL, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutToClientArea();
    SetSmallIcon();
}

void ProcessListDialog::InitializeDialog()
{
    dpi = WindowDpi(dialogWindow.handle);
    KeepDialogLayoutOnDpiChange(dialogWindow.handle);
    SetupColumns();
    RebuildProcessList();
    sortColumn = 0;
    SortList(0);
    finder.Create(dialogWindow.handle, this);
    LayoutToClientArea();

    SetSmallIcon();
    HICON bigIcon = LoadIconA(dialogWindow.GetInstance(), MAKEINTRESOURCEA(IDI_APP));
    SendMessageA(dialogWindow.handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));

    lastKey = 0;
    SetFocus(listWindow);
    AddAlwaysOnTopToWindowMenu();
    AddRestartToWindowMenu();
    SelectAtStart();
}

void ProcessListDialog::OnNotify(const NMHDR *header)
{
    switch (header->code) {
    case LVN_KEYDOWN:
        OnListKey(reinterpret_cast<const NMLVKEYDOWN *>(header)->wVKey);
        break;
    case LVN_COLUMNCLICK:
        SortByColumnClick(reinterpret_cast<const NMLISTVIEW *>(header)->iSubItem);
        break;
    }
}

// The keys every Windows list knows come before the first-letter search:
// Delete ends the process, F5 refreshes, Ctrl+C copies the row, and the
// Menu key opens the context menu (Windows sends it as WM_CONTEXTMENU).
void ProcessListDialog::OnListKey(WORD key)
{
    if (finder.Dragging())
        return;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_DELETE)
        EndProcessCommand();
    else if (key == VK_F5)
        RefreshCommand();
    else if (key == 'C' && control)
        CopyCommand();
    else if (key != VK_APPS)
        TypeAheadSearch(static_cast<char>(LOBYTE(key)));
}

// One dispatch for the buttons, their keys and the context menu.
void ProcessListDialog::RunCommand(int id)
{
    // While the finder is dragged, Esc cancels the drag and nothing else acts.
    if (finder.Dragging()) {
        if (id == IDCANCEL)
            finder.CancelDrag();
        return;
    }
    switch (id) {
    case IDOK:
        EndProcessCommand();
        break;
    case IDCANCEL:
        EndDialog(dialogWindow.handle, 0);
        break;
    case IDC_REFRESH:
        RefreshCommand();
        break;
    case IDM_COPY:
        CopyCommand();
        break;
    case IDM_OPEN_LOCATION:
        OpenLocationCommand();
        break;
    case IDM_PROPERTIES:
        PropertiesCommand();
        break;
    case IDM_END_TREE:
        EndTreeCommand();
        break;
    case IDM_END_SAME_NAME:
        EndSameNameCommand();
        break;
    }
}

INT_PTR ProcessListDialog::DialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitializeDialog();
        break;
    case WM_DESTROY:
        finder.Destroy();
        break;
    case WM_SIZE:
        LayoutControls(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), reinterpret_cast<const RECT *>(lParam));
        break;
    case WM_COMMAND:
        RunCommand(LOWORD(wParam));
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        finder.OnMouseMessage(message, lParam);
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_RESTART_ELEVATED)
            RestartCommand();
        else if ((wParam & 0xFFF0) == IDM_ALWAYS_ON_TOP)
            SetAlwaysOnTop(!IsAlwaysOnTop());
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
        break;
    case WM_NOTIFY:
        if (wParam == IDC_PROCESS_LIST)
            OnNotify(reinterpret_cast<const NMHDR *>(lParam));
        break;
    }
    return 0;
}
