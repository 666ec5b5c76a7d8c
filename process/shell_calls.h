// The clipboard and shell calls of the list's commands. Like
// platform_calls.h, a thin layer the fault tests replace at link time, to
// hold the clipboard and make the shell fail.
#ifndef VANTRY_SHELL_CALLS_H
#define VANTRY_SHELL_CALLS_H

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace platform {

BOOL OpenClipboard(HWND owner);

// Explorer's calls, from shell32 and ole32 loaded at their first use.
// False when either library cannot be loaded or lacks one of the calls below.
bool ShellAvailable();
PIDLIST_ABSOLUTE ILCreateFromPathW(const wchar_t *path);
void ILFree(PIDLIST_ABSOLUTE item);
HRESULT SHOpenFolderAndSelectItems(PCIDLIST_ABSOLUTE folder, UINT count,
                                   PCUITEMID_CHILD_ARRAY items, DWORD flags);
BOOL ShellExecuteExW(SHELLEXECUTEINFOW *info);
// Ends the use of COM that the shell calls began, if they did; at exit.
void ReleaseShell();

}

#endif
