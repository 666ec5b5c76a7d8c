#include "process_path.h"

#include <string.h>

#include "platform_calls.h"
#include "privilege.h"
#include "system_path.h"

namespace {

const wchar_t kNtPrefix[] = L"\\??\\";
const wchar_t kSystemRoot[] = L"\\SystemRoot\\";

// The number of characters of prefix when text starts with it, else 0.
template <size_t Size>
size_t PrefixLength(const wchar_t *text, const wchar_t (&prefix)[Size])
{
    for (size_t i = 0; i + 1 < Size; ++i) {
        if (text[i] != prefix[i])
            return 0;
    }
    return Size - 1;
}

// A path cut short by the buffer is another path, and its folder may be
// another folder: it counts as unread.
bool ReadWidePath(DWORD processId, wchar_t (&path)[MAX_PATH])
{
    HANDLE ownToken = BeginDebugPrivilege();
    if (ownToken == NULL)
        return false;
    DWORD length = 0;
    HMODULE module;
    HANDLE process = OpenProcessModule(processId, &module);
    if (process != NULL) {
        length = platform::GetModuleFileNameExW(process, module, path, MAX_PATH);
        platform::CloseHandle(process);
    }
    EndDebugPrivilege(ownToken);
    path[MAX_PATH - 1] = L'\0';
    return length != 0 && length < MAX_PATH - 1;
}

// Windows XP names its session manager, csrss and winlogon in the kernel's
// forms.
bool RewriteKernelForms(wchar_t (&path)[MAX_PATH])
{
    size_t cut = PrefixLength(path, kNtPrefix);
    if (cut != 0) {
        memmove(path, path + cut, (wcslen(path + cut) + 1) * sizeof(wchar_t));
        return true;
    }
    cut = PrefixLength(path, kSystemRoot);
    if (cut == 0)
        return true;
    wchar_t rest[MAX_PATH];
    memcpy(rest, path + cut, (wcslen(path + cut) + 1) * sizeof(wchar_t));
    return JoinSystemPath(GetSystemWindowsDirectoryW, static_cast<const wchar_t *>(rest), path);
}

}

HANDLE OpenProcessModule(DWORD processId, HMODULE *module)
{
    HANDLE process =
        platform::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == NULL)
        return NULL;
    // A process whose loader has not run yet lists no module and leaves this
    // untouched; a null module then names the executable.
    *module = NULL;
    DWORD needed;
    if (!platform::EnumProcessModules(process, module, sizeof(*module), &needed)) {
        platform::CloseHandle(process);
        return NULL;
    }
    return process;
}

// The list's cell came from the code-page form of the same call, converted
// the same way, so the same process gives the same bytes.
bool ReadProcessPath(DWORD processId, const char *shownPath, wchar_t (&path)[MAX_PATH])
{
    if (!ReadWidePath(processId, path))
        return false;
    char converted[MAX_PATH];
    if (WideCharToMultiByte(CP_ACP, 0, path, -1, converted, MAX_PATH, NULL, NULL) == 0 ||
        strcmp(converted, shownPath) != 0)
        return false;
    return RewriteKernelForms(path);
}
