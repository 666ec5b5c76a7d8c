// Program entry: one modal dialog owned by the desktop.
#include <windows.h>
#include <commctrl.h>

#include "../res/resource.h"
#include "../ui/process_list_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    g_mainDialog.DoModal(instance, IDD_PROCESS_LIST, GetDesktopWindow(), 0);
    return 0;
}
