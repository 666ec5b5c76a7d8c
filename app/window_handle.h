// A window handle with the two dialog helpers the program needs.
#ifndef VANTRY_WINDOW_HANDLE_H
#define VANTRY_WINDOW_HANDLE_H

#include <windows.h>

class WindowHandle {
public:
    HWND GetItem(int id) const { return GetDlgItem(handle, id); }
    HINSTANCE GetInstance() const
    {
        return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(handle, GWLP_HINSTANCE));
    }

    HWND handle;
};

#endif
