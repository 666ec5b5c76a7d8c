// Which process a window on the screen belongs to, as the user sees it.
#ifndef VANTRY_WINDOW_PROCESS_H
#define VANTRY_WINDOW_PROCESS_H

#include <windows.h>

enum WindowProcess {
    kWindowProcessFound,    // *processId names it
    kWindowProcessNone,     // no window there: the desktop, its wallpaper, nothing
    kWindowProcessUnknown,  // a window whose process cannot be told
};

// The process of the top-level window at point (screen coordinates). A
// window that stands in for another one (the ghost of a hung window, the
// frame of a Store app) counts as the process it stands in for, never as
// the system process that draws it.
WindowProcess ProcessOfWindowAt(POINT point, DWORD *processId);

#endif
