// The selected process's file in Explorer: its folder with the file
// selected, and its properties (whose Digital Signatures tab names the
// signer).
#include <string.h>

#include <windows.h>
#include <shellapi.h>

#include "../process/platform_calls.h"
#include "../process/shell_calls.h"
#include "list_cell.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

const int kPathColumn = 2;
const char kExplorerName[] = "\\explorer.exe";
const char kSelectFormat[] = "explorer.exe /select,\"%s\"";

bool SelectWithShell(const char *path)
{
    PIDLIST_ABSOLUTE item = platform::ILCreateFromPathA(path);
    if (item == NULL)
        return false;
    const HRESULT result = platform::SHOpenFolderAndSelectItems(item, 0, NULL, 0);
    platform::ILFree(item);
    return SUCCEEDED(result);
}

// Explorer by its full path in the Windows folder, never by name: a planted
// explorer.exe in the program's folder would otherwise run with its rights.
// The shared Windows folder, not a user's private one under Remote Desktop.
bool SelectWithExplorer(const char *path)
{
    char explorer[MAX_PATH];
    const UINT folder = GetSystemWindowsDirectoryA(explorer, MAX_PATH);
    if (folder == 0 || folder + sizeof(kExplorerName) > MAX_PATH)
        return false;
    memcpy(explorer + folder, kExplorerName, sizeof(kExplorerName));
    char commandLine[sizeof(kSelectFormat) + MAX_PATH];
    wsprintfA(commandLine, kSelectFormat, path);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started;
    if (!platform::CreateProcessA(explorer, commandLine, &startup, &started))
        return false;
    platform::CloseHandle(started.hThread);
    platform::CloseHandle(started.hProcess);
    return true;
}

}

// The path cell of the selected row; false when no row is selected or the
// row has no path.
bool ProcessListDialog::ReadSelectedPath(char *path)
{
    const int row = SelectedRow();
    if (row < 0)
        return false;
    ReadListCell(listWindow, row, kPathColumn, path, MAX_PATH);
    return path[0] != '\0';
}

void ProcessListDialog::OpenLocationCommand()
{
    char path[MAX_PATH];
    if (!ReadSelectedPath(path))
        return;
    if (!SelectWithShell(path) && !SelectWithExplorer(path))
        MessageBoxA(dialogWindow.handle, TEXT_OPEN_LOCATION_FAILED, TEXT_ERROR_CAPTION,
                    MB_OK | MB_ICONEXCLAMATION);
}

void ProcessListDialog::PropertiesCommand()
{
    char path[MAX_PATH];
    if (!ReadSelectedPath(path))
        return;
    SHELLEXECUTEINFOA info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    // Our own box reports a failure; the shell's would be a second one.
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
    info.hwnd = dialogWindow.handle;
    info.lpVerb = "properties";
    info.lpFile = path;
    info.nShow = SW_SHOW;
    if (!platform::ShellExecuteExA(&info))
        MessageBoxA(dialogWindow.handle, TEXT_PROPERTIES_FAILED, TEXT_ERROR_CAPTION,
                    MB_OK | MB_ICONEXCLAMATION);
}
