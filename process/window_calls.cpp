// The real window calls behind window_calls.h.
#include "window_calls.h"

#include "bound_call.h"

namespace {

// user32 exports it by name from Vista on, but the headers and import
// libraries leave it out.
typedef HWND(WINAPI *HungWindowCall)(HWND);

HungWindowCall BindHungWindowCall()
{
    HungWindowCall call;
    BindCall(GetModuleHandleA("user32.dll"), "HungWindowFromGhostWindow", call);
    return call;
}

}

namespace platform {

HWND WindowFromPoint(POINT point)
{
    return ::WindowFromPoint(point);
}

HWND GetAncestor(HWND window, UINT flags)
{
    return ::GetAncestor(window, flags);
}

int GetClassNameA(HWND window, char *name, int size)
{
    return ::GetClassNameA(window, name, size);
}

HWND GetDesktopWindow()
{
    return ::GetDesktopWindow();
}

HWND GetShellWindow()
{
    return ::GetShellWindow();
}

HWND FindWindowExA(HWND parent, HWND after, const char *className, const char *title)
{
    return ::FindWindowExA(parent, after, className, title);
}

DWORD GetWindowThreadProcessId(HWND window, DWORD *processId)
{
    return ::GetWindowThreadProcessId(window, processId);
}

// Bound on first use, once; only the dialog thread calls this.
BOOL HungWindowFromGhostWindow(HWND ghost, HWND *hung)
{
    static const HungWindowCall call = BindHungWindowCall();
    *hung = NULL;
    if (call == NULL)
        return FALSE;
    *hung = call(ghost);
    return TRUE;
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM data)
{
    return ::EnumWindows(callback, data);
}

BOOL IsWindowVisible(HWND window)
{
    return ::IsWindowVisible(window);
}

BOOL IsHungAppWindow(HWND window)
{
    return ::IsHungAppWindow(window);
}

BOOL GetWindowRect(HWND window, RECT *place)
{
    return ::GetWindowRect(window, place);
}

HMONITOR MonitorFromWindow(HWND window, DWORD flags)
{
    return ::MonitorFromWindow(window, flags);
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO *info)
{
    return ::GetMonitorInfoA(monitor, info);
}

}
