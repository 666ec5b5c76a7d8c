// The window calls that tell which process a window on the screen belongs
// to. Like platform_calls.h, a thin layer the fault tests replace at link
// time: Wine has no ghost windows and no Store app frames.
#ifndef VANTRY_WINDOW_CALLS_H
#define VANTRY_WINDOW_CALLS_H

#include <windows.h>

namespace platform {

HWND WindowFromPoint(POINT point);
HWND GetAncestor(HWND window, UINT flags);
int GetClassNameA(HWND window, char *name, int size);
HWND GetDesktopWindow();
HWND GetShellWindow();
HWND FindWindowExA(HWND parent, HWND after, const char *className, const char *title);
DWORD GetWindowThreadProcessId(HWND window, DWORD *processId);
// The hung window that a ghost window stands in for, in *hung (NULL when
// the system cannot say). FALSE where the system has no such call (before
// Vista).
BOOL HungWindowFromGhostWindow(HWND ghost, HWND *hung);

}

#endif
