// Program entry: one modal dialog owned by the desktop.
#include <windows.h>
#include <commctrl.h>

#include "../process/bound_call.h"
#include "../process/shell_calls.h"
#include "../res/resource.h"
#include "../ui/process_list_dialog.h"

namespace {

// Takes the current directory out of the library search path, so that no
// library is ever picked up from wherever the program was started. The call
// is looked up because the oldest supported systems lack it.
void RemoveCurrentDirectoryFromLibrarySearch()
{
    BOOL(WINAPI * setDllDirectory)(LPCSTR);
    BindCall(GetModuleHandleA("kernel32.dll"), "SetDllDirectoryA", setDllDirectory);
    if (setDllDirectory != NULL)
        setDllDirectory("");
}

}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    RemoveCurrentDirectoryFromLibrarySearch();
    InitCommonControls();
    g_mainDialog.DoModal(instance, IDD_PROCESS_LIST, GetDesktopWindow(), 0);
    platform::ReleaseShell();
    return 0;
}
