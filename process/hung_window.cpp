#include "hung_window.h"

#include "window_calls.h"
#include "window_process.h"

namespace {

// Only the class name is read before the hung test, which must ask about
// the window a ghost stands for; the other rules only a hung window needs:
// every call here is a round trip to the window manager under Wine.
// IsHungAppWindow reads the thread's state and sends the window nothing.
BOOL CALLBACK TakeIfHung(HWND window, LPARAM data)
{
    if (!platform::IsWindowVisible(window))
        return TRUE;
    HWND meant = WindowStoodFor(window);
    DWORD processId = 0;
    if (meant == NULL || !platform::IsHungAppWindow(meant) ||
        ProcessOfTopLevelWindow(window, meant, &processId) != kWindowProcessFound)
        return TRUE;
    HungWindow *found = reinterpret_cast<HungWindow *>(data);
    found->window = window;
    found->processId = processId;
    return FALSE;
}

// The whole monitor, task bar included: a maximized window leaves the
// task bar free and does not count.
bool CoversItsMonitor(HWND window)
{
    HMONITOR monitor = platform::MonitorFromWindow(window, MONITOR_DEFAULTTONULL);
    MONITORINFO info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    RECT place;
    if (monitor == NULL || !platform::GetMonitorInfoA(monitor, &info) ||
        !platform::GetWindowRect(window, &place))
        return false;
    const RECT &screen = info.rcMonitor;
    return place.left <= screen.left && place.top <= screen.top && place.right >= screen.right &&
           place.bottom >= screen.bottom;
}

}

bool FindHungWindow(HungWindow *found)
{
    found->window = NULL;
    found->processId = 0;
    found->coversMonitor = false;
    platform::EnumWindows(TakeIfHung, reinterpret_cast<LPARAM>(found));
    if (found->window == NULL)
        return false;
    found->coversMonitor = CoversItsMonitor(found->window);
    return true;
}
