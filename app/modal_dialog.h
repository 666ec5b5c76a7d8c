// Binds a program object to a modal dialog: every message the dialog
// receives after WM_INITDIALOG reaches the object's DialogProc.
#ifndef VANTRY_MODAL_DIALOG_H
#define VANTRY_MODAL_DIALOG_H

#include <windows.h>

#include "window_handle.h"

class ModalDialog {
public:
    // Deliberately initialises nothing: the one instance has static storage
    // and starts zeroed.
    ModalDialog() {}

    virtual INT_PTR DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    INT_PTR DoModal(HINSTANCE instance, WORD templateId, HWND parent, LONG param);

    WindowHandle dialogWindow;
    LONG modalParam;
};

INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
