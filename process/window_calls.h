// The window calls that tell which process a window on the screen belongs
// to. Like platform_calls.h, a thin layer the fault tests replace at link
// time: Wine has no ghost windows, no Store app frames and no window that
// stays hung on demand.
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

// The look for a hung window at start-up: the top-level windows from the
// top of the z-order down, and where they are.
BOOL EnumWindows(WNDENUMPROC callback, LPARAM data);
BOOL IsWindowVisible(HWND window);
BOOL IsHungAppWindow(HWND window);
BOOL GetWindowRect(HWND window, RECT *place);
HMONITOR MonitorFromWindow(HWND window, DWORD flags);
BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO *info);

}

#endif
