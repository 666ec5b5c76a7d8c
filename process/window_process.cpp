#include "window_process.h"

#include "compare_no_case.h"
#include "platform_calls.h"
#include "window_calls.h"

namespace {

const int kClassChars = 64;

DWORD ProcessOf(HWND window)
{
    DWORD processId = 0;
    if (window == NULL || platform::GetWindowThreadProcessId(window, &processId) == 0)
        return 0;
    return processId;
}

bool IsClass(HWND window, const char *name)
{
    char className[kClassChars];
    return platform::GetClassNameA(window, className, kClassChars) > 0 &&
           CompareNoCase(className, name) == 0;
}

// The desktop and the shell's windows that show the wallpaper and the icons:
// dropping there must not pick Explorer.
bool IsDesktop(HWND root)
{
    if (root == platform::GetDesktopWindow())
        return true;
    HWND shell = platform::GetShellWindow();
    if (shell == NULL)
        return false;
    return root == shell || (IsClass(root, "WorkerW") && ProcessOf(root) == ProcessOf(shell));
}

}

// The class name is read once: the look at start-up asks this of every
// visible window.
HWND WindowStoodFor(HWND root)
{
    char className[kClassChars];
    if (platform::GetClassNameA(root, className, kClassChars) <= 0)
        return root;
    if (CompareNoCase(className, "Ghost") == 0) {
        HWND hung = NULL;
        platform::HungWindowFromGhostWindow(root, &hung);
        return hung;
    }
    if (CompareNoCase(className, "ApplicationFrameWindow") == 0)
        return platform::FindWindowExA(root, NULL, "Windows.UI.Core.CoreWindow", NULL);
    return root;
}

WindowProcess ProcessOfTopLevelWindow(HWND root, HWND meant, DWORD *processId)
{
    *processId = 0;
    if (root == NULL || IsDesktop(root))
        return kWindowProcessNone;
    *processId = ProcessOf(meant);
    if (*processId == platform::GetCurrentProcessId()) {
        *processId = 0;
        return kWindowProcessNone;
    }
    if (*processId != 0)
        return kWindowProcessFound;
    // Only a plain window of process 0 is the bare desktop (as Wine has it).
    return meant == root ? kWindowProcessNone : kWindowProcessUnknown;
}

WindowProcess ProcessOfWindowAt(POINT point, DWORD *processId)
{
    HWND window = platform::WindowFromPoint(point);
    HWND root = window != NULL ? platform::GetAncestor(window, GA_ROOT) : NULL;
    return ProcessOfTopLevelWindow(root, root != NULL ? WindowStoodFor(root) : NULL, processId);
}
