// The real clipboard and shell behind shell_calls.h.
#include "shell_calls.h"

#include <objbase.h>

#include "bound_call.h"
#include "system_library.h"

namespace {

// ole32 and shell32 are loaded by full path, and only when a shell command
// first needs them, so that start-up does not pay for them.
struct ShellCalls {
    HRESULT(WINAPI *coInitializeEx)(void *, DWORD);
    void(WINAPI *coUninitialize)();
    PIDLIST_ABSOLUTE(WINAPI *ilCreateFromPathW)(PCWSTR);
    void(WINAPI *ilFree)(PIDLIST_RELATIVE);
    HRESULT(WINAPI *openFolderAndSelectItems)(PCIDLIST_ABSOLUTE, UINT, PCUITEMID_CHILD_ARRAY, DWORD);
    BOOL(WINAPI *shellExecuteExW)(SHELLEXECUTEINFOW *);
    bool comStarted;
};

// The shell loads further libraries by name: WinMain has kept the search
// for them to the system folder where Windows allows.
ShellCalls BindShell()
{
    ShellCalls calls;
    HMODULE ole32 = LoadSystemLibrary("ole32.dll");
    BindCall(ole32, "CoInitializeEx", calls.coInitializeEx);
    BindCall(ole32, "CoUninitialize", calls.coUninitialize);
    // The shell wants an apartment on the thread that calls it: the dialog's.
    calls.comStarted = calls.coInitializeEx != NULL && calls.coUninitialize != NULL &&
                       SUCCEEDED(calls.coInitializeEx(NULL, COINIT_APARTMENTTHREADED));
    HMODULE shell32 = LoadSystemLibrary("shell32.dll");
    BindCall(shell32, "ILCreateFromPathW", calls.ilCreateFromPathW);
    BindCall(shell32, "ILFree", calls.ilFree);
    BindCall(shell32, "SHOpenFolderAndSelectItems", calls.openFolderAndSelectItems);
    BindCall(shell32, "ShellExecuteExW", calls.shellExecuteExW);
    return calls;
}

// Bound on first use, and released at exit; only the dialog thread calls
// these.
ShellCalls shellCalls;
bool shellBound;

const ShellCalls &BoundShell()
{
    if (!shellBound) {
        shellCalls = BindShell();
        shellBound = true;
    }
    return shellCalls;
}

}

namespace platform {

BOOL OpenClipboard(HWND owner)
{
    return ::OpenClipboard(owner);
}

bool ShellAvailable()
{
    const ShellCalls &calls = BoundShell();
    return calls.coInitializeEx != NULL && calls.coUninitialize != NULL &&
           calls.ilCreateFromPathW != NULL && calls.ilFree != NULL &&
           calls.openFolderAndSelectItems != NULL && calls.shellExecuteExW != NULL;
}

PIDLIST_ABSOLUTE ILCreateFromPathW(const wchar_t *path)
{
    return BoundShell().ilCreateFromPathW != NULL ? BoundShell().ilCreateFromPathW(path) : NULL;
}

void ILFree(PIDLIST_ABSOLUTE item)
{
    if (BoundShell().ilFree != NULL)
        BoundShell().ilFree(item);
}

HRESULT SHOpenFolderAndSelectItems(PCIDLIST_ABSOLUTE folder, UINT count,
                                   PCUITEMID_CHILD_ARRAY items, DWORD flags)
{
    if (BoundShell().openFolderAndSelectItems == NULL)
        return E_NOTIMPL;
    return BoundShell().openFolderAndSelectItems(folder, count, items, flags);
}

BOOL ShellExecuteExW(SHELLEXECUTEINFOW *info)
{
    if (BoundShell().shellExecuteExW == NULL)
        return FALSE;
    return BoundShell().shellExecuteExW(info);
}

void ReleaseShell()
{
    if (shellBound && shellCalls.comStarted)
        shellCalls.coUninitialize();
    shellBound = false;
}

}
