// The window calls (process/window_calls.h) on the screen the test describes
// in g_fake.windows.
#include <string.h>

#include "../../process/window_calls.h"
#include "fake_platform.h"

namespace {

const FakeWindow *Find(HWND handle, const char *className = NULL)
{
    for (const FakeWindow &window : g_fake.windows) {
        if (window.handle == handle || (className != NULL && window.className == className))
            return &window;
    }
    return NULL;
}

HWND HandleOf(const FakeWindow *window)
{
    return window != NULL ? window->handle : NULL;
}

}

HWND AddFakeWindow(const std::string &className, DWORD processId, HWND parent)
{
    const HWND handle = reinterpret_cast<HWND>(0x5000 + g_fake.windows.size() * 16);
    g_fake.windows.push_back(FakeWindow{ handle, parent, className, processId, NULL });
    return handle;
}

namespace platform {

HWND WindowFromPoint(POINT) { return g_fake.windowAtPoint; }
HWND GetDesktopWindow() { return HandleOf(Find(NULL, "#32769")); }
HWND GetShellWindow() { return HandleOf(Find(NULL, "Progman")); }

HWND GetAncestor(HWND window, UINT)
{
    const FakeWindow *found = Find(window);
    return found != NULL && found->parent != NULL ? platform::GetAncestor(found->parent, GA_ROOT) : window;
}

int GetClassNameA(HWND window, char *name, int size)
{
    const FakeWindow *found = Find(window);
    lstrcpynA(name, found != NULL ? found->className.c_str() : "", size);
    return static_cast<int>(strlen(name));
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
    const FakeWindow *found = Find(window);
    *processId = found != NULL ? found->processId : 0;
    return found != NULL ? 1 : 0;
}

BOOL HungWindowFromGhostWindow(HWND ghost, HWND *hung)
{
    const FakeWindow *found = Find(ghost);
    *hung = found != NULL && !g_fake.ghostCallMissing ? found->hung : NULL;
    return !g_fake.ghostCallMissing;
}

}
