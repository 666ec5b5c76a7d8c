// Starting Vantry again as administrator, from a limited token: offered
// when an end is denied, and in the window menu. Windows shows the UAC
// prompt; the new Vantry opens with the process selected, and this one
// closes.
#include <windows.h>
#include <shellapi.h>

#include "../process/elevation.h"
#include "../process/shell_calls.h"
#include "../res/resource.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

// Room for a path longer than MAX_PATH: the program may sit in a deep
// folder. The W calls keep a folder name the code page lacks.
const DWORD kPathChars = 1024;
const int kParameterChars = 32;

}

ProcessListDialog::RestartResult ProcessListDialog::RestartElevated(bool withProcess,
                                                                    DWORD processId)
{
    wchar_t path[kPathChars];
    const DWORD length = GetModuleFileNameW(NULL, path, kPathChars);
    // A cut path is not terminated on Windows XP, and names no file anyway.
    if (length == 0 || length >= kPathChars)
        return kRestartFailed;
    wchar_t parameters[kParameterChars] = L"";
    if (withProcess)
        wsprintfW(parameters, L"/select %lu", processId);

    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    // Started before this returns, since the program ends right after;
    // failures are reported here, not by the shell.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = dialogWindow.handle;
    info.lpVerb = L"runas";
    info.lpFile = path;
    info.lpParameters = withProcess ? parameters : NULL;
    info.nShow = SW_SHOWNORMAL;
    SetLastError(ERROR_SUCCESS);
    if (platform::ShellExecuteExW(&info))
        return kRestarted;
    return GetLastError() == ERROR_CANCELLED ? kRestartCancelled : kRestartFailed;
}

// The end was denied on a limited token, which opens only some processes:
// offer to start again as administrator. When the restart fails, the
// failure box says failure. Returns true when the dialog has ended for the
// new one.
bool ProcessListDialog::OfferRestartAfterFailedEnd(int processId, const char *failure)
{
    if (MessageBoxA(dialogWindow.handle, TEXT_END_FAILED_OFFER_RESTART, TEXT_END_FAILED_CAPTION,
                    MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return false;
    switch (RestartElevated(true, static_cast<DWORD>(processId))) {
    case kRestarted:
        EndDialog(dialogWindow.handle, 0);
        return true;
    case kRestartCancelled:
        return false;
    case kRestartFailed:
        break;
    }
    ShowFailure(failure);
    return false;
}

// The window menu's item: the new Vantry selects the selected process.
void ProcessListDialog::RestartCommand()
{
    const int row = SelectedRow();
    const DWORD processId = row >= 0 ? static_cast<DWORD>(ProcessIdOfRow(row)) : 0;
    switch (RestartElevated(row >= 0, processId)) {
    case kRestarted:
        EndDialog(dialogWindow.handle, 0);
        break;
    case kRestartCancelled:
        break;
    case kRestartFailed:
        ShowFailure(TEXT_RESTART_FAILED);
        break;
    }
}

// Only a limited token gets the item; an elevated one, and a Windows that
// knows no elevation, keep the menu as it is.
void ProcessListDialog::AddRestartToWindowMenu()
{
    if (!RunsNotElevated())
        return;
    HMENU menu = GetSystemMenu(dialogWindow.handle, FALSE);
    if (menu == NULL)
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    AppendMenuA(menu, MF_STRING, IDM_RESTART_ELEVATED, TEXT_MENU_RESTART_ELEVATED);
}
