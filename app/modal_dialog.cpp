#include "modal_dialog.h"

INT_PTR ModalDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDOK:
            EndDialog(window, 1);
            break;
        case IDCANCEL:
            EndDialog(window, 0);
            break;
        }
    }
    return 0;
}

INT_PTR ModalDialog::DoModal(HINSTANCE instance, WORD templateId, HWND parent, LONG param)
{
    modalParam = param;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), parent, StaticDialogProc,
                           reinterpret_cast<LPARAM>(this));
}

// The object pointer travels in WM_INITDIALOG's lParam and is kept in the
// window's user data; messages that come before it (WM_SETFONT) have no
// object to go to. Always answering FALSE leaves the default processing to
// the dialog manager, so the handlers set the focus themselves.
INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ModalDialog *dialog = reinterpret_cast<ModalDialog *>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (dialog != NULL) {
        dialog->DialogProc(window, message, wParam, lParam);
    } else if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        dialog = reinterpret_cast<ModalDialog *>(lParam);
        dialog->dialogWindow.handle = window;
        dialog->DialogProc(window, WM_INITDIALOG, wParam, lParam);
    }
    return FALSE;
}
