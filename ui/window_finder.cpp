// The finder: a crosshair left of the buttons that the user drags onto any
// window; the row of that window's process is selected, ready for Delete.
// Nothing is ended here, and nothing is drawn on the other window.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include "../process/window_process.h"
#include "../res/resource.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

enum FinderDrag {
    kNoDrag = 0,
    kDragging,
    // Cancelled with Esc: the capture is kept until the button is up, so
    // that the release does not land in the program under the cursor.
    kDragCancelled,
};

const int kFinderSize = 25;
// Narrower than this, the finder would crowd the buttons: it is hidden.
const int kFinderRoomWidth = 280;
// The one tool of the tooltip: the finder's rectangle on the dialog. The
// static lets the mouse through, so a tool on the static would never show.
const UINT_PTR kFinderTool = 1;

HCURSOR Crosshair()
{
    // A shared system cursor: never destroyed.
    return LoadCursorA(NULL, IDC_CROSS);
}

// The process of the window under a point of the dialog's client area
// during a capture (the coordinates are signed).
WindowProcess ProcessUnder(HWND dialog, LPARAM where, DWORD *processId)
{
    POINT point = { GET_X_LPARAM(where), GET_Y_LPARAM(where) };
    ClientToScreen(dialog, &point);
    return ProcessOfWindowAt(point, processId);
}

}

void ProcessListDialog::CreateFinder()
{
    finderDrag = kNoDrag;
    finderFits = false;
    SetRectEmpty(&finderPlace);
    HWND dialog = dialogWindow.handle;
    HINSTANCE instance = dialogWindow.GetInstance();
    finderWindow = CreateWindowExA(0, "STATIC", NULL, WS_CHILD | SS_ICON | SS_REALSIZECONTROL, 0, 0,
                                   0, 0, dialog, reinterpret_cast<HMENU>(IDC_FINDER), instance,
                                   NULL);
    SendMessageA(finderWindow, STM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(Crosshair()));

    // Owned by no window: Wine does not make a window topmost (the window
    // menu's "always on top") while it owns a popup. It is destroyed with
    // the dialog.
    finderTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, NULL,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance,
                                NULL);
    TTTOOLINFOA tool;
    ZeroMemory(&tool, sizeof(tool));
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = kFinderTool;
    tool.hinst = instance;
    tool.lpszText = const_cast<char *>(TEXT_FINDER_TIP);
    SendMessageA(finderTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ProcessListDialog::DestroyFinder()
{
    DestroyWindow(finderTip);
    finderTip = NULL;
}

// Placed as the buttons are, at the left edge.
void ProcessListDialog::LayoutFinder(int width, int height)
{
    const int side = Scaled(kFinderSize);
    SetRect(&finderPlace, Scaled(10), height - Scaled(35), Scaled(10) + side,
            height - Scaled(35) + side);
    MoveWindow(finderWindow, finderPlace.left, finderPlace.top, side, side, TRUE);
    finderFits = width >= Scaled(kFinderRoomWidth);
    ShowFinder(finderDrag != kDragging);
}

// The tooltip's tool covers the finder while it shows, and nothing else.
void ProcessListDialog::ShowFinder(bool show)
{
    const bool shown = show && finderFits;
    ShowWindow(finderWindow, shown ? SW_SHOWNA : SW_HIDE);
    TTTOOLINFOA tool;
    ZeroMemory(&tool, sizeof(tool));
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = dialogWindow.handle;
    tool.uId = kFinderTool;
    if (shown)
        tool.rect = finderPlace;
    SendMessageA(finderTip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
}

// A press on the finder takes the crosshair "in the hand": the finder
// hides until the drag ends, and the mouse is the dialog's until then.
void ProcessListDialog::StartFinderDrag(LPARAM where)
{
    const POINT point = { GET_X_LPARAM(where), GET_Y_LPARAM(where) };
    if (finderDrag != kNoDrag || !finderFits || !PtInRect(&finderPlace, point))
        return;
    rowBeforeDrag = SelectedRow();
    finderDrag = kDragging;
    SetCapture(dialogWindow.handle);
    SetCursor(Crosshair());
    SendMessageA(finderTip, TTM_POP, 0, 0);
    ShowFinder(false);
}

// Selects row and scrolls it into view; -1 selects nothing.
void ProcessListDialog::ShowRowDuringDrag(int row)
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

// The row of the process under the cursor shows as selected, when it is
// listed; anywhere else the selection from before the drag shows. The
// list is never rebuilt here.
void ProcessListDialog::MoveFinderDrag(LPARAM where)
{
    if (finderDrag != kDragging)
        return;
    DWORD processId = 0;
    int row = -1;
    if (ProcessUnder(dialogWindow.handle, where, &processId) == kWindowProcessFound)
        row = RowOfPid(static_cast<int>(processId));
    if (row < 0)
        row = rowBeforeDrag;
    // Left alone when it shows that already, so that it does not flicker.
    if (row < 0 || row != SelectedRow())
        ShowRowDuringDrag(row);
}

// The drag ends before anything is shown: a message box disables the
// dialog, which would take the capture in the middle of the drop.
void ProcessListDialog::DropFinder(LPARAM where)
{
    if (finderDrag == kNoDrag)
        return;
    const bool cancelled = finderDrag == kDragCancelled;
    finderDrag = kNoDrag;
    ShowFinder(true);
    ReleaseCapture();
    if (cancelled)
        return;

    ShowRowDuringDrag(rowBeforeDrag);
    DWORD processId = 0;
    const WindowProcess found = ProcessUnder(dialogWindow.handle, where, &processId);
    if (found == kWindowProcessNone)
        return;
    int row = -1;
    if (found == kWindowProcessFound) {
        row = RowOfPid(static_cast<int>(processId));
        // Started since the list was built: rebuilt as the refresh command
        // does, which keeps the selection from before.
        if (row < 0) {
            RefreshCommand();
            row = RowOfPid(static_cast<int>(processId));
        }
    }
    if (row < 0) {
        MessageBoxA(dialogWindow.handle, TEXT_FINDER_NOT_FOUND, TEXT_ERROR_CAPTION,
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    SelectRow(row);
    SetFocus(listWindow);
}

// Esc: the selection from before comes back and the finder shows; the
// release still to come does nothing.
void ProcessListDialog::CancelFinderDrag()
{
    if (finderDrag != kDragging)
        return;
    finderDrag = kDragCancelled;
    ShowRowDuringDrag(rowBeforeDrag);
    ShowFinder(true);
}

// Another window took the mouse: the drag ends as if cancelled, and the
// release, wherever it lands, is not the dialog's.
void ProcessListDialog::FinderCaptureLost()
{
    if (finderDrag == kNoDrag)
        return;
    CancelFinderDrag();
    finderDrag = kNoDrag;
}
