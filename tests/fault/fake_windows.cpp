#include "fake_windows.h"

#include <string.h>

#include "../../process/window_calls.h"

FakeWindows g_fakeWindows;

namespace {

const DWORD kExplorer = 1000;

const FakeWindow *Find(HWND handle)
{
    for (const FakeWindow &window : g_fakeWindows.windows) {
        if (window.handle == handle)
            return &window;
    }
    return NULL;
}

}

void ResetFakeWindows()
{
    g_fakeWindows = FakeWindows();
    g_fakeWindows.desktop = AddFakeWindow("#32769", 0);
    g_fakeWindows.shell = AddFakeWindow("Progman", kExplorer);
}

HWND AddFakeWindow(const std::string &className, DWORD processId, HWND parent)
{
    FakeWindow window;
    window.handle = reinterpret_cast<HWND>(0x5000 + g_fakeWindows.windows.size() * 16);
    window.parent = parent;
    window.className = className;
    window.processId = processId;
    g_fakeWindows.windows.push_back(window);
    return window.handle;
}

namespace platform {

HWND WindowFromPoint(POINT)
{
    return g_fakeWindows.atPoint;
}

HWND GetAncestor(HWND window, UINT flags)
{
    const FakeWindow *found = Find(window);
    if (flags != GA_ROOT || found == NULL)
        return NULL;
    return found->parent != NULL ? platform::GetAncestor(found->parent, flags) : window;
}

int GetClassNameA(HWND window, char *name, int size)
{
    const FakeWindow *found = Find(window);
    if (found == NULL || size <= 0)
        return 0;
    const int length = static_cast<int>(found->className.size()) < size - 1
                           ? static_cast<int>(found->className.size()) : size - 1;
    memcpy(name, found->className.data(), length);
    name[length] = '\0';
    return length;
}

HWND GetDesktopWindow()
{
    return g_fakeWindows.desktop;
}

HWND GetShellWindow()
{
    return g_fakeWindows.shell;
}

HWND FindWindowExA(HWND parent, HWND after, const char *className, const char *title)
{
    if (after != NULL || title != NULL)
        return NULL;
    for (const FakeWindow &window : g_fakeWindows.windows) {
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
    *hung = found != NULL && !g_fakeWindows.ghostCallMissing ? found->hung : NULL;
    return !g_fakeWindows.ghostCallMissing;
}

}
