// The selected process's file in Explorer: its folder with the file
// selected, and its properties (whose Digital Signatures tab names the
// signer). Both work on the image file the kernel recorded when the process
// started, never on the path the list shows: that one the process itself
// can rewrite, and this program may be running as administrator.

#include <windows.h>
#include <shellapi.h>

#include "../process/process_path.h"
#include "../process/shell_calls.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

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
void PrepareShellExecute(SHELLEXECUTEINFOW &info, HWND owner, ULONG mask)
{
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = mask | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.nShow = SW_SHOW;
}

// The folder by its item list and as the class Folder, never by a verb on
// its path: had the folder been swapped for a program since it was looked
// at, that program would run, with this program's rights. (Wine 8 registers
// no command for the class Folder: there the user is told it failed.)
bool OpenFolder(HWND owner, const wchar_t *folder)
{
    PIDLIST_ABSOLUTE item = platform::ILCreateFromPathW(folder);
    if (item == NULL)
        return false;
    SHELLEXECUTEINFOW info;
    PrepareShellExecute(info, owner, SEE_MASK_IDLIST | SEE_MASK_CLASSNAME);
    info.lpIDList = item;
    info.lpClass = L"Folder";
    const bool opened = platform::ShellExecuteExW(&info) != FALSE;
    platform::ILFree(item);
    return opened;
}

// The file's folder with the file selected; a file that is gone leaves its
// folder, with nothing selected. Never another folder, and nothing at all
// where the shell's calls are missing.
bool OpenLocation(HWND owner, const wchar_t *file)
{
    wchar_t folder[MAX_PATH];
    if (!FolderOf(file, folder) || !platform::ShellAvailable())
        return false;
    if (IsFile(file))
        return SelectInFolder(file);
    return IsFolder(folder) && OpenFolder(owner, folder);
}

bool ShowProperties(HWND owner, const wchar_t *file)
{
    if (!IsFile(file))
        return false;
    SHELLEXECUTEINFOW info;
    PrepareShellExecute(info, owner, SEE_MASK_INVOKEIDLIST);
    info.lpVerb = L"properties";
    info.lpFile = file;
    return platform::ShellExecuteExW(&info) != FALSE;
}

}

// The image file of the selected row's process, read on a handle that also
// confirms the process is the row's. False when no row is selected, when
// the row's process is gone (reported, and the list read again), or when
// the file cannot be read (failure shown).
bool ProcessListDialog::ReadSelectedImage(wchar_t (&file)[MAX_PATH], const char *failure)
{
    const int row = SelectedProgramRow();
    if (row < 0)
        return false;
    switch (ReadImagePath(KeyOfRow(row), file, MAX_PATH)) {
    case kImagePathRead:
        return true;
    case kImageProcessGone:
        ReportRowGone();
        return false;
    default:
        ShowFailure(failure);
        return false;
    }
}

void ProcessListDialog::OpenLocationCommand()
{
    wchar_t file[MAX_PATH];
    if (ReadSelectedImage(file, TEXT_OPEN_LOCATION_FAILED) &&
        !OpenLocation(dialogWindow.handle, file))
        ShowFailure(TEXT_OPEN_LOCATION_FAILED);
}

void ProcessListDialog::PropertiesCommand()
{
    wchar_t file[MAX_PATH];
    if (ReadSelectedImage(file, TEXT_PROPERTIES_FAILED) && !ShowProperties(dialogWindow.handle, file))
        ShowFailure(TEXT_PROPERTIES_FAILED);
}
