#include "program.h"

#include <commctrl.h>

#include "../process/platform_calls.h"
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
// this program's rights, debug privilege included. The oldest supported
// systems lack the calls, and then the program runs without them.
void KeepLibrarySearchInSystemFolder()
{
    platform::SetDllDirectoryA("");
    platform::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}

int RunVantry(HINSTANCE instance, const char *arguments)
{
    KeepLibrarySearchInSystemFolder();
    g_mainDialog.selectAtStart = ParseSelectSwitch(arguments, &g_mainDialog.startProcessId);
    InitCommonControls();
    const INT_PTR result = g_mainDialog.DoModal(instance, IDD_PROCESS_LIST, GetDesktopWindow(), 0);
    platform::ReleaseShell();
    return result == -1 ? 1 : 0;
}
