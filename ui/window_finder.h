// The finder: a crosshair left of the buttons that the user drags onto any
// window; the row of that window's process is selected, ready for Delete.
#ifndef VANTRY_WINDOW_FINDER_H
#define VANTRY_WINDOW_FINDER_H

#include <windows.h>

// What the finder asks of the list whose rows it selects.
class FinderRows {
public:
    virtual int SelectedRow() const = 0;
    // The row of that process, -1 when it is not listed. With rebuild, a
    // process started since the list was built is listed first.
    virtual int RowOfProcess(int processId, bool rebuild) = 0;
    // Selects row and scrolls it into view; -1 selects nothing.
    virtual void ShowRow(int row) = 0;
    // Selects row and gives the list the keys: the drop's result.
    virtual void ChooseRow(int row) = 0;

protected:
    ~FinderRows() = default;
};

// Its window, tooltip, place and drag on the dialog, which forwards the
// mouse and capture messages to it.
class WindowFinder {
public:
    WindowFinder()
        : dialog(NULL), rows(NULL), crosshair(NULL), tip(NULL), place(), fits(false), drag(0),
          rowBeforeDrag(-1)
    {
    }
    void Create(HWND dialog, FinderRows *rows);
    void Destroy();
    // Placed as the buttons are, at the left edge of the dialog's client
    // area (figures at 96 DPI scaled to dpi).
    void Layout(int width, int height, UINT dpi);
    bool Dragging() const { return drag != 0; }
    // WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_LBUTTONUP and
    // WM_CAPTURECHANGED of the dialog.
    void OnMouseMessage(UINT message, LPARAM where);
    // Esc during a drag.
    void CancelDrag();

private:
    void CreateTip(LPARAM where);
    void Show(bool show);
    void StartDrag(LPARAM where);
    void MoveDrag(LPARAM where);
    void Drop(LPARAM where);
    void CaptureLost();

    HWND dialog;
    FinderRows *rows;
    HWND crosshair;
    HWND tip;
    RECT place;
    bool fits;
    int drag;  // 0: none, or the stage of the drag
    int rowBeforeDrag;
};

#endif
