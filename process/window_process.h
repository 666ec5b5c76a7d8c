// Which process a window on the screen belongs to, as the user sees it.
// The finder and the look for a hung window at start-up share these rules.
#ifndef VANTRY_WINDOW_PROCESS_H
#define VANTRY_WINDOW_PROCESS_H

#include <windows.h>

enum WindowProcess {
    kWindowProcessFound,    // *processId names it
    kWindowProcessNone,     // no window there: the desktop, its wallpaper, Vantry itself
    kWindowProcessUnknown,  // a window whose process cannot be told
};

// The window a top-level window stands in for, when a process of the
// system draws it on another's behalf: the hung window of a ghost, the app
// window of a Store app's frame; root itself for any other window. NULL
// when it cannot be told.
HWND WindowStoodFor(HWND root);

// The process of top-level window root, which stands for window meant
// (WindowStoodFor): the process of meant, never the system process that
// draws root. The desktop, the shell's windows and Vantry's own windows
// count as no window.
WindowProcess ProcessOfTopLevelWindow(HWND root, HWND meant, DWORD *processId);

// The same, for the top-level window at point (screen coordinates).
WindowProcess ProcessOfWindowAt(POINT point, DWORD *processId);

#endif
