#include "window_process.h"

#include "../ui/compare_no_case.h"
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

// The window whose process the user means, for a top-level window drawn by
// a process of the system on another's behalf; NULL when it cannot be told.
HWND StandsFor(HWND root)
{
    if (IsClass(root, "Ghost")) {
        HWND hung = NULL;
        platform::HungWindowFromGhostWindow(root, &hung);
        return hung;
    }
    if (IsClass(root, "ApplicationFrameWindow"))
        return platform::FindWindowExA(root, NULL, "Windows.UI.Core.CoreWindow", NULL);
    return root;
}

}

WindowProcess ProcessOfWindowAt(POINT point, DWORD *processId)
{
    *processId = 0;
    HWND window = platform::WindowFromPoint(point);
    HWND root = window != NULL ? platform::GetAncestor(window, GA_ROOT) : NULL;
    if (root == NULL || IsDesktop(root))
        return kWindowProcessNone;
    HWND owner = StandsFor(root);
    *processId = ProcessOf(owner);
    if (*processId != 0)
        return kWindowProcessFound;
    // Only a plain window of process 0 is the bare desktop (as Wine has it).
    return owner == root ? kWindowProcessNone : kWindowProcessUnknown;
}
