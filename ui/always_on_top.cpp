// The window menu's "always on top": the dialog stays in front of other
// windows, a full-screen program's too. The check mark follows the window's
// own state.
#include "../res/resource.h"
#include "process_list_dialog.h"
#include "texts.h"

void ProcessListDialog::AddAlwaysOnTopToWindowMenu()
{
    HMENU menu = GetSystemMenu(dialogWindow.handle, FALSE);
    if (menu == NULL)
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    AppendMenuA(menu, MF_STRING, IDM_ALWAYS_ON_TOP, TEXT_MENU_ALWAYS_ON_TOP);
}

void ProcessListDialog::SetAlwaysOnTop(bool onTop)
{
    SetWindowPos(dialogWindow.handle, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CheckMenuItem(GetSystemMenu(dialogWindow.handle, FALSE), IDM_ALWAYS_ON_TOP,
                  MF_BYCOMMAND | (IsAlwaysOnTop() ? MF_CHECKED : MF_UNCHECKED));
}

bool ProcessListDialog::IsAlwaysOnTop() const
{
    return (GetWindowLongPtrA(dialogWindow.handle, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}
