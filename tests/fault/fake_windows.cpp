// The window calls (process/window_calls.h) on the screen the test describes
// in g_fake.windows.
#include "../../process/window_calls.h"
#include "fake_platform.h"

namespace {

// The window of that handle, or the first one of that class.
const FakeWindow *Find(HWND handle, const char *className = "")
{
    for (const FakeWindow &window : g_fake.windows) {
        if (window.handle == handle || window.className == className)
            return &window;
    }
    return NULL;
}

}

HWND AddFakeWindow(const std::string &className, DWORD processId, HWND parent)
{
    const HWND handle = reinterpret_cast<HWND>(0x5000 + g_fake.windows.size() * 16);
    g_fake.windows.push_back(
        FakeWindow{ handle, parent, className, processId, NULL, true, false, RECT{ 10, 10, 310, 160 } });
    return handle;
}

namespace platform {

HWND WindowFromPoint(POINT) { return g_fake.windowAtPoint; }
HWND GetDesktopWindow() { return Find(NULL, "#32769") != NULL ? Find(NULL, "#32769")->handle : NULL; }
HWND GetShellWindow() { return Find(NULL, "Progman") != NULL ? Find(NULL, "Progman")->handle : NULL; }

HWND GetAncestor(HWND window, UINT)
{
    const FakeWindow *found = Find(window);
    return found != NULL && found->parent != NULL ? platform::GetAncestor(found->parent, GA_ROOT) : window;
}

int GetClassNameA(HWND window, char *name, int size)
{
    if (name == NULL || size <= 0)
        return 0;
    lstrcpynA(name, Find(window) != NULL ? Find(window)->className.c_str() : "", size);
    return lstrlenA(name);
}

HWND FindWindowExA(HWND parent, HWND, const char *className, const char *)
{
    for (const FakeWindow &window : g_fake.windows) {
        if (window.parent == parent && window.className == className)
            return window.handle;
    }
    return NULL;
}

DWORD GetWindowThreadProcessId(HWND window, DWORD *processId)
{
    // As Windows: without a place for it, no process identifier.
    if (processId != NULL)
        *processId = Find(window) != NULL ? Find(window)->processId : 0;
    return Find(window) != NULL ? 1 : 0;
}

BOOL HungWindowFromGhostWindow(HWND ghost, HWND *hung)
{
    *hung = Find(ghost) != NULL && !g_fake.ghostCallMissing ? Find(ghost)->hung : NULL;
    return !g_fake.ghostCallMissing;
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM data)
{
    for (const FakeWindow &window : g_fake.windows) {
        if (window.parent == NULL && !callback(window.handle, data))
            break;
    }
    return TRUE;
}

BOOL IsWindowVisible(HWND window) { return Find(window) != NULL && Find(window)->visible; }
BOOL IsHungAppWindow(HWND window) { return Find(window) != NULL && Find(window)->hungApp; }
HMONITOR MonitorFromWindow(HWND window, DWORD) { return Find(window) != NULL ? HMONITOR(1) : NULL; }

BOOL GetWindowRect(HWND window, RECT *place)
{
    if (place == NULL || Find(window) == NULL)
        return FALSE;
    *place = Find(window)->place;
    return TRUE;
}

// The one monitor, with the task bar along its bottom.
BOOL GetMonitorInfoA(HMONITOR, MONITORINFO *info)
{
    if (info == NULL || info->cbSize != sizeof(MONITORINFO))
        return FALSE;
    info->rcMonitor = g_fake.monitor;
    info->rcWork = g_fake.workArea;
    return TRUE;
}

}
