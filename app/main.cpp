// Program entry: one modal dialog owned by the desktop.
#include <windows.h>
#include <commctrl.h>

#include "../process/bound_call.h"
#include "../process/shell_calls.h"
#include "../res/resource.h"
#include "../ui/process_list_dialog.h"
#include "command_line.h"

namespace {

// Keeps every library this process loads by name, its own and those Windows
// and the shell load on its behalf (the common controls, ole32, msimg32),
// out of the current directory and, where Windows can (8, and Vista and 7
// with their update: SetDefaultDllDirectories), out of the program's folder
// too: a library planted there, in a Downloads folder say, would run with
// this program's rights, debug privilege included. The calls are looked up
// because the oldest supported systems lack them.
void KeepLibrarySearchInSystemFolder()
{
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    BOOL(WINAPI * setDllDirectory)(LPCSTR);
    BindCall(kernel32, "SetDllDirectoryA", setDllDirectory);
    if (setDllDirectory != NULL)
        setDllDirectory("");
    BOOL(WINAPI * setDefaultDllDirectories)(DWORD);
    BindCall(kernel32, "SetDefaultDllDirectories", setDefaultDllDirectories);
    if (setDefaultDllDirectories != NULL)
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int)
{
    KeepLibrarySearchInSystemFolder();
    g_mainDialog.selectAtStart = ParseSelectSwitch(arguments, &g_mainDialog.startProcessId);
    InitCommonControls();
    g_mainDialog.DoModal(instance, IDD_PROCESS_LIST, GetDesktopWindow(), 0);
    platform::ReleaseShell();
    return 0;
}
