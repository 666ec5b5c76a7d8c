// The finder. Nothing is ended here, and nothing is drawn on the other
// window.
#include "window_finder.h"

#include <windowsx.h>
#include <commctrl.h>

#include "../process/window_process.h"
#include "../res/resource.h"
#include "display_scale.h"
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

void WindowFinder::Create(HWND dialogWindow, FinderRows *listRows)
{
    dialog = dialogWindow;
    rows = listRows;
    drag = kNoDrag;
    fits = false;
    SetRectEmpty(&place);
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    crosshair = CreateWindowExA(0, "STATIC", NULL, WS_CHILD | SS_ICON | SS_REALSIZECONTROL, 0, 0,
                                0, 0, dialog, reinterpret_cast<HMENU>(IDC_FINDER), instance, NULL);
    SendMessageA(crosshair, STM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(Crosshair()));
    tip = NULL;
}

// The tooltip is made when the mouse first moves over the dialog: only a
// pointer resting on the finder shows it, and a window of its own made at
// start-up would keep the dialog from showing for as long.
void WindowFinder::CreateTip(LPARAM where)
{
    if (tip != NULL)
        return;
    // Owned by no window: Wine does not make a window topmost (the window
    // menu's "always on top") while it owns a popup. It is destroyed with
    // the dialog.
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL,
                          instance, NULL);
    TTTOOLINFOA tool;
    ZeroMemory(&tool, sizeof(tool));
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = kFinderTool;
    tool.hinst = instance;
    tool.lpszText = const_cast<char *>(TEXT_FINDER_TIP);
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    Show(drag != kDragging);
    // The tool follows the dialog's mouse from the next move on; this one
    // is handed on, so that a pointer that rests here at once gets the tip.
    MSG move = { dialog, WM_MOUSEMOVE, 0, where, 0, { 0, 0 } };
    SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void WindowFinder::Destroy()
{
    if (tip != NULL)
        DestroyWindow(tip);
    tip = NULL;
}

void WindowFinder::Layout(int width, int height, UINT dpi)
{
    const int side = ScaleToDpi(kFinderSize, dpi);
    const int left = ScaleToDpi(10, dpi);
    const int top = height - ScaleToDpi(35, dpi);
    SetRect(&place, left, top, left + side, top + side);
    MoveWindow(crosshair, place.left, place.top, side, side, TRUE);
    fits = width >= ScaleToDpi(kFinderRoomWidth, dpi);
    Show(drag != kDragging);
}

// The tooltip's tool covers the finder while it shows, and nothing else.
void WindowFinder::Show(bool show)
{
    const bool shown = show && fits;
    ShowWindow(crosshair, shown ? SW_SHOWNA : SW_HIDE);
    if (tip == NULL)
        return;
    TTTOOLINFOA tool;
    ZeroMemory(&tool, sizeof(tool));
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = dialog;
    tool.uId = kFinderTool;
    if (shown)
        tool.rect = place;
    SendMessageA(tip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void WindowFinder::OnMouseMessage(UINT message, LPARAM where)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        StartDrag(where);
        break;
    case WM_MOUSEMOVE:
        CreateTip(where);
        MoveDrag(where);
        break;
    case WM_LBUTTONUP:
        Drop(where);
        break;
    case WM_CAPTURECHANGED:
        CaptureLost();
        break;
    }
}

// A press on the finder takes the crosshair "in the hand": the finder
// hides until the drag ends, and the mouse is the dialog's until then.
void WindowFinder::StartDrag(LPARAM where)
{
    const POINT point = { GET_X_LPARAM(where), GET_Y_LPARAM(where) };
    if (drag != kNoDrag || !fits || !PtInRect(&place, point))
        return;
    rowBeforeDrag = rows->SelectedRow();
    drag = kDragging;
    SetCapture(dialog);
    SetCursor(Crosshair());
    SendMessageA(tip, TTM_POP, 0, 0);
    Show(false);
}

// The row of the process under the cursor shows as selected, when it is
// listed; anywhere else the selection from before the drag shows. The
// list is never rebuilt here.
void WindowFinder::MoveDrag(LPARAM where)
{
    if (drag != kDragging)
        return;
    DWORD processId = 0;
    int row = -1;
    if (ProcessUnder(dialog, where, &processId) == kWindowProcessFound)
        row = rows->RowOfProcess(static_cast<int>(processId), false);
    if (row < 0)
        row = rowBeforeDrag;
    // Left alone when it shows that already, so that it does not flicker.
    if (row < 0 || row != rows->SelectedRow())
        rows->ShowRow(row);
}

// The drag ends before anything is shown: a message box disables the
// dialog, which would take the capture in the middle of the drop.
void WindowFinder::Drop(LPARAM where)
{
    if (drag == kNoDrag)
        return;
    const bool cancelled = drag == kDragCancelled;
    drag = kNoDrag;
    Show(true);
    ReleaseCapture();
    if (cancelled)
        return;

    rows->ShowRow(rowBeforeDrag);
    DWORD processId = 0;
    const WindowProcess found = ProcessUnder(dialog, where, &processId);
    if (found == kWindowProcessNone)
        return;
    // The list is rebuilt for a process started since it was built.
    const int row =
        found == kWindowProcessFound ? rows->RowOfProcess(static_cast<int>(processId), true) : -1;
    if (row < 0) {
        MessageBoxA(dialog, TEXT_FINDER_NOT_FOUND, TEXT_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    rows->ChooseRow(row);
}

// Esc: the selection from before comes back and the finder shows; the
// release still to come does nothing.
void WindowFinder::CancelDrag()
{
    if (drag != kDragging)
        return;
    drag = kDragCancelled;
    rows->ShowRow(rowBeforeDrag);
    Show(true);
}

// Another window took the mouse: the drag ends as if cancelled, and the
// release, wherever it lands, is not the dialog's.
void WindowFinder::CaptureLost()
{
    if (drag == kNoDrag)
        return;
    CancelDrag();
    drag = kNoDrag;
}
