// The selected process's file in Explorer: its folder with the file
// selected, and its properties (whose Digital Signatures tab names the
// signer). Both work on the file's UTF-16 path, read again from the process,
// since the path the list shows in the code page may name no file at all.

#include <windows.h>
#include <shellapi.h>

#include "../process/platform_calls.h"
#include "../process/process_path.h"
#include "../process/shell_calls.h"
#include "../process/system_path.h"
#include "list_cell.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

const int kPathColumn = 2;
const wchar_t kExplorerName[] = L"explorer.exe";
const wchar_t kSelectFormat[] = L"explorer.exe /select,\"%s\"";
const wchar_t kOpenFormat[] = L"explorer.exe \"%s\"";

void ShowFailure(HWND owner, const char *text)
{
    MessageBoxA(owner, text, TEXT_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

bool IsFile(const wchar_t *path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsFolder(const wchar_t *path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder that holds path; a drive's root keeps its backslash ("C:\").
bool FolderOf(const wchar_t *path, wchar_t (&folder)[MAX_PATH])
{
    int last = -1;
    for (int i = 0; i < MAX_PATH && path[i] != L'\0'; ++i) {
        folder[i] = path[i];
        if (path[i] == L'\\')
            last = i;
    }
    if (last <= 0)
        return false;
    folder[folder[last - 1] == L':' ? last + 1 : last] = L'\0';
    return true;
}

bool SelectInFolder(const wchar_t *file)
{
    PIDLIST_ABSOLUTE item = platform::ILCreateFromPathW(file);
    if (item == NULL)
        return false;
    const HRESULT result = platform::SHOpenFolderAndSelectItems(item, 0, NULL, 0);
    platform::ILFree(item);
    return SUCCEEDED(result);
}

// Our own box reports a failure; the shell's would be a second one.
bool RunShellVerb(HWND owner, ULONG mask, const wchar_t *verb, const wchar_t *file)
{
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = mask | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = verb;
    info.lpFile = file;
    info.nShow = SW_SHOW;
    return platform::ShellExecuteExW(&info) != FALSE;
}

// Explorer by its full path in the Windows folder, never by name: a planted
// explorer.exe in the program's folder would otherwise run with its rights.
// The shared Windows folder, not a user's private one under Remote Desktop.
// Only where the shell's own calls are missing: Explorer given a path that
// does not exist opens some other folder and says nothing.
bool StartExplorer(const wchar_t *format, const wchar_t *path)
{
    wchar_t explorer[MAX_PATH];
    if (!JoinSystemPath(GetSystemWindowsDirectoryW, kExplorerName, explorer))
        return false;
    wchar_t commandLine[sizeof(kSelectFormat) / sizeof(wchar_t) + MAX_PATH];
    wsprintfW(commandLine, format, path);
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started;
    if (!platform::CreateProcessW(explorer, commandLine, &startup, &started))
        return false;
    platform::CloseHandle(started.hThread);
    platform::CloseHandle(started.hProcess);
    return true;
}

// The file's folder with the file selected; a file that is gone leaves its
// folder, with nothing selected. Never another folder.
bool OpenLocation(HWND owner, const wchar_t *file)
{
    wchar_t folder[MAX_PATH];
    if (!FolderOf(file, folder))
        return false;
    const bool fileThere = IsFile(file);
    if (!fileThere && !IsFolder(folder))
        return false;
    if (!platform::ShellAvailable())
        return fileThere ? StartExplorer(kSelectFormat, file) : StartExplorer(kOpenFormat, folder);
    return fileThere ? SelectInFolder(file) : RunShellVerb(owner, 0, L"open", folder);
}

}

// The path cell of the selected row; false when no row is selected or the
// row has no path.
bool ProcessListDialog::ReadSelectedPath(char (&path)[MAX_PATH])
{
    const int row = SelectedRow();
    if (row < 0)
        return false;
    ReadListCell(listWindow, row, kPathColumn, path, MAX_PATH);
    return path[0] != '\0';
}

void ProcessListDialog::OpenLocationCommand()
{
    char shown[MAX_PATH];
    if (!ReadSelectedPath(shown))
        return;
    // The file by its UTF-16 path, read again from the row's process.
    const DWORD processId = static_cast<DWORD>(ProcessIdOfRow(SelectedRow()));
    wchar_t file[MAX_PATH];
    if (!ReadProcessPath(processId, shown, file) || !OpenLocation(dialogWindow.handle, file))
        ShowFailure(dialogWindow.handle, TEXT_OPEN_LOCATION_FAILED);
}

void ProcessListDialog::PropertiesCommand()
{
    char shown[MAX_PATH];
    if (!ReadSelectedPath(shown))
        return;
    const DWORD processId = static_cast<DWORD>(ProcessIdOfRow(SelectedRow()));
    wchar_t file[MAX_PATH];
    if (!ReadProcessPath(processId, shown, file) || !IsFile(file) ||
        !RunShellVerb(dialogWindow.handle, SEE_MASK_INVOKEIDLIST, L"properties", file))
        ShowFailure(dialogWindow.handle, TEXT_PROPERTIES_FAILED);
}
