#include "fake_platform.h"

#include <string.h>

#include <algorithm>
#include <deque>

#include <winternl.h>

#include "../../process/platform_calls.h"
#include "../../process/shell_calls.h"

FakePlatform g_fake;

namespace {

const HANDLE kOwnToken = reinterpret_cast<HANDLE>(0x7000);
const DWORD kDebugLuid = 20;
std::vector<WTS_PROCESS_INFOA> s_sessionList;
std::vector<ITEMIDLIST *> s_itemLists;  // made and not yet freed
LONG s_lastStatus = 0;  // of the last refused end
// The accounts the fake has handed out a SID for, the one at index i as
// S-1-5-i: the rows of one account share one SID, as on Windows.
std::deque<std::pair<FakeAccount, SID>> s_accounts;

PSID SidOf(const FakeAccount &account)
{
    size_t i = 0;
    while (i < s_accounts.size() && (s_accounts[i].first.name != account.name ||
                                     s_accounts[i].first.lookupFails != account.lookupFails))
        ++i;
    if (i == s_accounts.size())
        s_accounts.push_back({ account, { SID_REVISION, 1, SECURITY_NT_AUTHORITY, { DWORD(i) } } });
    return &s_accounts[i].second;
}

const FakeAccount *AccountOf(PSID sid)
{
    const DWORD i = sid != NULL ? static_cast<SID *>(sid)->SubAuthority[0] : ~0u;
    return i < s_accounts.size() ? &s_accounts[i].first : NULL;
}

HANDLE ProcessHandle(size_t index) { return reinterpret_cast<HANDLE>(0x10000 + index * 16); }
HANDLE TokenHandle(size_t index) { return reinterpret_cast<HANDLE>(0x90000 + index * 16); }

HANDLE Open(HANDLE handle)
{
    g_fake.openHandles.push_back(handle);
    ++g_fake.handlesOpened;
    return handle;
}

FakeProcess *ByHandle(HANDLE handle)
{
    for (size_t i = 0; i < g_fake.processes.size(); ++i) {
        if (ProcessHandle(i) == handle || TokenHandle(i) == handle)
            return &g_fake.processes[i];
    }
    return NULL;
}

bool IsOpen(HANDLE handle)
{
    return std::find(g_fake.openHandles.begin(), g_fake.openHandles.end(), handle) !=
           g_fake.openHandles.end();
}

// Every fake checks the pointers it is given before it reads or writes
// through them: a null one fails the call, as the platform would report it,
// instead of crashing the test program.
BOOL NullArgument()
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

std::wstring TextOrEmpty(const wchar_t *text) { return text != NULL ? text : L""; }

// The image path the kernel recorded: the loader list's, converted, unless
// the test says otherwise.
std::wstring KernelPath(const FakeProcess &process)
{
    if (!process.imagePath.empty())
        return process.imagePath;
    wchar_t converted[2 * MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, process.path.c_str(), -1, converted, 2 * MAX_PATH);
    return converted;
}

// Copies as the platform does: cut to size - 1 characters; 0 when empty.
template <typename Char>
DWORD CopyName(const std::basic_string<Char> &text, Char *buffer, DWORD size)
{
    if (text.empty() || size == 0 || buffer == NULL)
        return 0;
    const DWORD length = std::min<DWORD>(text.size(), size - 1);
    memcpy(buffer, text.data(), length * sizeof(Char));
    buffer[length] = '\0';
    return length;
}

}

void ResetFake()
{
    g_fake = FakePlatform();
    s_sessionList.clear();
    s_accounts.clear();
    for (ITEMIDLIST *item : s_itemLists)
        delete item;
    s_itemLists.clear();
}

void RenameFakeProcess(FakeProcess &process, const std::string &name)
{
    process.name = name;
    process.path = name.empty() ? std::string() : "C:\\Programs\\" + name;
}

FakeProcess &AddFakeProcess(DWORD id, const std::string &name, const std::string &owner)
{
    FakeProcess process;
    process.id = id;
    RenameFakeProcess(process, name);
    process.owner.name = owner;
    g_fake.processes.push_back(process);
    return g_fake.processes.back();
}

void AddIdleAndSystemProcesses()
{
    AddFakeProcess(0, "", "").openFails = true;
    AddFakeProcess(4, "", "").openFails = true;
}

namespace platform {

BOOL EnumProcesses(DWORD *ids, DWORD size, DWORD *bytesReturned)
{
    ++g_fake.libraryCalls;
    g_fake.cursorWhileEnumerating = GetCursor();
    if (ids == NULL || bytesReturned == NULL)
        return NullArgument();
    const size_t count = std::min<size_t>(size / sizeof(DWORD), g_fake.processes.size());
    for (size_t i = 0; i < count; ++i)
        ids[i] = g_fake.processes[i].id;
    *bytesReturned = static_cast<DWORD>(count * sizeof(DWORD));
    return TRUE;
}

HANDLE OpenProcess(DWORD access, BOOL, DWORD processId)
{
    ++g_fake.processOpens;
    if (!g_fake.debugEnabled)
        ++g_fake.processOpensWithoutPrivilege;
    g_fake.lastOpenAccess = access;
    for (size_t i = 0; i < g_fake.processes.size(); ++i) {
        const FakeProcess &process = g_fake.processes[i];
        const bool refused =
            process.openFails ||
            (process.limitedAccessRefused && (access & PROCESS_QUERY_LIMITED_INFORMATION) != 0) ||
            (process.endAccessRefused && (access & PROCESS_TERMINATE) != 0);
        if (process.id == processId && !refused) {
            if ((access & PROCESS_TERMINATE) != 0)
                g_fake.openedToEnd.push_back(processId);
            return Open(ProcessHandle(i));
        }
        if (process.id == processId) {
            SetLastError(process.openFails ? process.openError : ERROR_ACCESS_DENIED);
            return NULL;
        }
    }
    // As Windows answers for an identifier that names no process.
    SetLastError(ERROR_INVALID_PARAMETER);
    return NULL;
}

BOOL EnumProcessModules(HANDLE process, HMODULE *modules, DWORD size, DWORD *needed)
{
    FakeProcess *fake = ByHandle(process);
    if (modules == NULL || needed == NULL)
        return NullArgument();
    if (fake == NULL || !IsOpen(process) || fake->modulesFail || size < sizeof(HMODULE))
        return FALSE;
    *modules = reinterpret_cast<HMODULE>(0x400000);
    *needed = sizeof(HMODULE);
    return TRUE;
}

DWORD GetModuleBaseNameA(HANDLE process, HMODULE, LPSTR name, DWORD size)
{
    FakeProcess *fake = ByHandle(process);
    return fake != NULL && IsOpen(process) ? CopyName(fake->name, name, size) : 0;
}

DWORD GetModuleFileNameExA(HANDLE process, HMODULE, LPSTR name, DWORD size)
{
    FakeProcess *fake = ByHandle(process);
    return fake != NULL && IsOpen(process) ? CopyName(fake->path, name, size) : 0;
}

BOOL QueryFullProcessImageNameW(HANDLE process, DWORD flags, LPWSTR path, DWORD *size)
{
    if (g_fake.fullImageNameMissing) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    if (size == NULL)
        return NullArgument();
    FakeProcess *fake = ByHandle(process);
    if (fake != NULL && fake->kernelPathFails) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    const std::wstring whole = fake != NULL && IsOpen(process) && flags == 0 ? KernelPath(*fake) : L"";
    // The platform cuts nothing: a buffer too small fails the call.
    if (whole.empty() || whole.size() >= *size) {
        SetLastError(whole.empty() ? ERROR_ACCESS_DENIED : ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    *size = CopyName(whole, path, *size);
    return TRUE;
}

DWORD GetProcessImageFileNameW(HANDLE process, LPWSTR path, DWORD size)
{
    FakeProcess *fake = ByHandle(process);
    return fake != NULL && IsOpen(process) ? CopyName(KernelPath(*fake), path, size) : 0;
}

// The device and a second null, as the platform ends its list of names.
DWORD QueryDosDeviceW(LPCWSTR device, LPWSTR target, DWORD size)
{
    for (const std::pair<std::wstring, std::wstring> &entry : g_fake.dosDevices) {
        if (device != NULL && entry.first == device && CopyName(entry.second + L'\0', target, size) != 0)
            return static_cast<DWORD>(entry.second.size() + 2);
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
}

BOOL TerminateProcess(HANDLE process, UINT exitCode)
{
    FakeProcess *fake = ByHandle(process);
    if (fake == NULL || !IsOpen(process))
        return FALSE;
    if (fake->terminateError != 0 || fake->endsWhenTold) {
        fake->exited = fake->exited || fake->endsWhenTold;
        // Windows refuses the end of a process it is ending already with
        // the status that says so, which reads as access denied.
        const LONG kAccessDenied = static_cast<LONG>(0xC0000022);
        const LONG kIsTerminating = static_cast<LONG>(0xC000010A);
        s_lastStatus = fake->exiting || fake->endsWhenTold ? kIsTerminating : kAccessDenied;
        SetLastError(fake->terminateError != 0 ? fake->terminateError : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    g_fake.terminated.push_back(fake->id);
    g_fake.exitCodes.push_back(exitCode);
    if (g_fake.debugEnabled)
        ++g_fake.terminationsWithPrivilege;
    return TRUE;
}

// Set once the process has exited.
BOOL GetExitCodeProcess(HANDLE process, DWORD *exitCode)
{
    FakeProcess *fake = ByHandle(process);
    if (exitCode == NULL || fake == NULL || !IsOpen(process))
        return NullArgument();
    *exitCode = fake->exited ? 0xFFFFFFFF : STILL_ACTIVE;
    return TRUE;
}

BOOL IsProcessCritical(HANDLE process, BOOL *critical)
{
    if (g_fake.isProcessCriticalMissing) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    if (critical == NULL)
        return NullArgument();
    FakeProcess *fake = ByHandle(process);
    if (fake == NULL || !IsOpen(process) || fake->criticalQueryFails) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    *critical = fake->critical;
    return TRUE;
}

LONG NtQueryInformationProcess(HANDLE process, ULONG infoClass, void *info, ULONG size, ULONG *)
{
    const LONG kAccessDenied = static_cast<LONG>(0xC0000022);
    const LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
    FakeProcess *fake = ByHandle(process);
    if (fake == NULL || !IsOpen(process) || fake->breakOnTerminationQueryFails)
        return kAccessDenied;
    if (infoClass == ProcessBasicInformation && info != NULL &&
        size == sizeof(PROCESS_BASIC_INFORMATION)) {
        PROCESS_BASIC_INFORMATION *basic = static_cast<PROCESS_BASIC_INFORMATION *>(info);
        ZeroMemory(basic, sizeof(*basic));
        basic->UniqueProcessId = fake->id;
        basic->InheritedFromUniqueProcessId =
            fake->handleParentId != 0 ? fake->handleParentId : fake->parentId;
        return 0;
    }
    if (infoClass != 29 || info == NULL || size != sizeof(ULONG))
        return kLengthMismatch;
    *static_cast<ULONG *>(info) = fake->critical ? 1 : 0;
    return 0;
}

BOOL RtlGetLastNtStatus(LONG *status)
{
    if (g_fake.lastStatusMissing || status == NULL)
        return FALSE;
    *status = s_lastStatus;
    return TRUE;
}

BOOL CloseHandle(HANDLE handle)
{
    std::vector<HANDLE>::iterator open =
        std::find(g_fake.openHandles.begin(), g_fake.openHandles.end(), handle);
    if (open == g_fake.openHandles.end()) {
        ++g_fake.badCloses;
        return FALSE;
    }
    g_fake.openHandles.erase(open);
    ++g_fake.handlesClosed;
    return TRUE;
}

BOOL OpenProcessToken(HANDLE process, DWORD, HANDLE *token)
{
    if (token == NULL)
        return NullArgument();
    if (process == GetCurrentProcess()) {
        if (g_fake.ownTokenFails) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        *token = Open(kOwnToken);
        return TRUE;
    }
    for (size_t i = 0; i < g_fake.processes.size(); ++i) {
        if (ProcessHandle(i) == process && IsOpen(process)) {
            if (g_fake.processes[i].tokenFails)
                return FALSE;
            *token = Open(TokenHandle(i));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL LookupPrivilegeValueA(LPCSTR, LPCSTR name, LUID *luid)
{
    if (name == NULL || luid == NULL)
        return NullArgument();
    if (lstrcmpiA(name, "SeDebugPrivilege") != 0) {
        SetLastError(ERROR_NO_SUCH_PRIVILEGE);
        return FALSE;
    }
    luid->LowPart = kDebugLuid;
    luid->HighPart = 0;
    return TRUE;
}

BOOL AdjustTokenPrivileges(HANDLE token, BOOL, TOKEN_PRIVILEGES *request, DWORD,
                           TOKEN_PRIVILEGES *previous, DWORD *previousLength)
{
    if (request == NULL || (previous != NULL && previousLength == NULL))
        return NullArgument();
    if (token != kOwnToken || !IsOpen(token)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (g_fake.privilegeMissing) {
        SetLastError(ERROR_NOT_ALL_ASSIGNED);
        return TRUE;
    }
    if (previous != NULL) {
        previous->PrivilegeCount = g_fake.debugEnabled ? 1 : 0;
        previous->Privileges[0].Luid.LowPart = kDebugLuid;
        previous->Privileges[0].Luid.HighPart = 0;
        previous->Privileges[0].Attributes = g_fake.debugEnabled ? SE_PRIVILEGE_ENABLED : 0;
        *previousLength = sizeof(TOKEN_PRIVILEGES);
    }
    const bool enable = request->PrivilegeCount == 1 &&
                        (request->Privileges[0].Attributes & SE_PRIVILEGE_ENABLED) != 0;
    if (enable != g_fake.debugEnabled)
        ++g_fake.privilegeSwitches;
    g_fake.debugEnabled = enable;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS infoClass, void *info, DWORD size,
                         DWORD *length)
{
    if (info == NULL || length == NULL)
        return NullArgument();
    if (token == kOwnToken && IsOpen(token) && infoClass == TokenElevation) {
        if (g_fake.ownElevation == FakePlatform::kElevationQueryFails ||
            size < sizeof(TOKEN_ELEVATION)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        static_cast<TOKEN_ELEVATION *>(info)->TokenIsElevated =
            g_fake.ownElevation == FakePlatform::kElevated;
        *length = sizeof(TOKEN_ELEVATION);
        return TRUE;
    }
    FakeProcess *fake = ByHandle(token);
    if (fake == NULL || !IsOpen(token) || infoClass != TokenUser || fake->tokenInfoFails ||
        size < sizeof(TOKEN_USER))
        return FALSE;
    TOKEN_USER *user = static_cast<TOKEN_USER *>(info);
    user->User.Sid = SidOf(fake->owner);
    user->User.Attributes = 0;
    *length = sizeof(TOKEN_USER);
    return TRUE;
}

BOOL LookupAccountSidW(LPCWSTR, PSID sid, LPWSTR name, DWORD *nameLength, LPWSTR domain,
                       DWORD *domainLength, SID_NAME_USE *use)
{
    if (name == NULL || nameLength == NULL || domain == NULL || domainLength == NULL || use == NULL)
        return NullArgument();
    ++g_fake.accountLookups;
    g_fake.lastLookupNameLength = *nameLength;
    g_fake.lastLookupDomainLength = *domainLength;
    const FakeAccount *account = AccountOf(sid);
    if (account == NULL || account->lookupFails || account->name.empty())
        return FALSE;
    if (*nameLength <= account->name.size() || *domainLength <= 4) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    MultiByteToWideChar(CP_UTF8, 0, account->name.c_str(), -1, name, *nameLength);
    lstrcpyW(domain, L"HOST");
    *use = SidTypeUser;
    return TRUE;
}

BOOL WTSEnumerateProcessesA(HANDLE, DWORD, DWORD, WTS_PROCESS_INFOA **processes, DWORD *count)
{
    ++g_fake.libraryCalls;
    if (processes == NULL || count == NULL)
        return NullArgument();
    if (g_fake.sessionListFails)
        return FALSE;
    s_sessionList.clear();
    for (FakeSessionProcess &entry : g_fake.sessionProcesses) {
        WTS_PROCESS_INFOA info;
        info.SessionId = 1;
        info.ProcessId = entry.processId;
        info.pProcessName = const_cast<char *>("session.exe");
        info.pUserSid = SidOf(entry.owner);
        s_sessionList.push_back(info);
    }
    // The platform hands back a list even when it is empty.
    static WTS_PROCESS_INFOA empty;
    *processes = s_sessionList.empty() ? &empty : &s_sessionList[0];
    *count = static_cast<DWORD>(s_sessionList.size());
    ++g_fake.sessionListsReturned;
    return TRUE;
}

void WTSFreeMemory(void *memory)
{
    if (memory != NULL)
        ++g_fake.sessionListsFreed;
}

BOOL OpenClipboard(HWND owner)
{
    if (g_fake.clipboardOpenAttempts++ < g_fake.clipboardHeldFor)
        return FALSE;
    return ::OpenClipboard(owner);
}

bool ShellAvailable()
{
    return !g_fake.shellMissing;
}

// Each item list is one of its own, so that freeing counts only those made.
PIDLIST_ABSOLUTE ILCreateFromPathW(const wchar_t *path)
{
    if (path == NULL)
        return NULL;
    g_fake.itemListPaths.push_back(path);
    s_itemLists.push_back(new ITEMIDLIST());
    return s_itemLists.back();
}

void ILFree(PIDLIST_ABSOLUTE item)
{
    std::vector<ITEMIDLIST *>::iterator made = std::find(s_itemLists.begin(), s_itemLists.end(), item);
    if (made == s_itemLists.end())
        return;
    delete *made;
    s_itemLists.erase(made);
    ++g_fake.itemListsFreed;
}

HRESULT SHOpenFolderAndSelectItems(PCIDLIST_ABSOLUTE folder, UINT, PCUITEMID_CHILD_ARRAY, DWORD)
{
    if (folder == NULL)
        return E_INVALIDARG;
    ++g_fake.shellSelections;
    return g_fake.shellSelectFails ? E_FAIL : S_OK;
}

BOOL ShellExecuteExW(SHELLEXECUTEINFOW *info)
{
    if (info == NULL)
        return NullArgument();
    const bool lastMade = !s_itemLists.empty() && info->lpIDList == s_itemLists.back();
    FakeShellExecute call = { info->fMask, TextOrEmpty(info->lpVerb), TextOrEmpty(info->lpFile),
                              TextOrEmpty(info->lpParameters), TextOrEmpty(info->lpClass),
                              lastMade ? g_fake.itemListPaths.back() : L"", info->hwnd };
    g_fake.shellExecutes.push_back(call);
    if (g_fake.shellExecuteError != 0) {
        SetLastError(g_fake.shellExecuteError);
        return FALSE;
    }
    return TRUE;
}

void ReleaseShell() {}

const HANDLE kSnapshot = reinterpret_cast<HANDLE>(0x6000);
size_t s_snapshotNext = 0;

HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD)
{
    if (g_fake.snapshotFails || flags != TH32CS_SNAPPROCESS)
        return INVALID_HANDLE_VALUE;
    ++g_fake.snapshots;
    g_fake.snapshotsWithPrivilege += g_fake.debugEnabled ? 1 : 0;
    return Open(kSnapshot);
}

BOOL Process32NextW(HANDLE snapshot, PROCESSENTRY32W *entry)
{
    if (entry == NULL)
        return NullArgument();
    if (snapshot != kSnapshot || !IsOpen(snapshot) || entry->dwSize != sizeof(PROCESSENTRY32W) ||
        s_snapshotNext >= g_fake.processes.size())
        return FALSE;
    const FakeProcess &process = g_fake.processes[s_snapshotNext++];
    entry->th32ProcessID = process.id;
    entry->th32ParentProcessID = process.parentId;
    entry->szExeFile[0] = L'\0';
    MultiByteToWideChar(CP_ACP, 0, process.name.c_str(), -1, entry->szExeFile, MAX_PATH);
    return TRUE;
}

BOOL Process32FirstW(HANDLE snapshot, PROCESSENTRY32W *entry)
{
    s_snapshotNext = 0;
    return platform::Process32NextW(snapshot, entry);
}

BOOL GetProcessTimes(HANDLE process, FILETIME *creation, FILETIME *exit, FILETIME *kernel,
                     FILETIME *user)
{
    if (creation == NULL || exit == NULL || kernel == NULL || user == NULL)
        return NullArgument();
    FakeProcess *fake = ByHandle(process);
    if (fake == NULL || !IsOpen(process) || fake->timesFail)
        return FALSE;
    creation->dwLowDateTime = static_cast<DWORD>(fake->created);
    creation->dwHighDateTime = static_cast<DWORD>(fake->created >> 32);
    ZeroMemory(exit, sizeof(*exit));
    exit->dwLowDateTime = fake->exited ? 1 : 0;
    ZeroMemory(kernel, sizeof(*kernel));
    ZeroMemory(user, sizeof(*user));
    return TRUE;
}

// A process that was terminated ends within any wait, unless it lingers.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    FakeProcess *fake = ByHandle(handle);
    if (fake == NULL || !IsOpen(handle))
        return WAIT_FAILED;
    if (milliseconds != 0)
        g_fake.cursorWhileWaiting = GetCursor();
    const bool terminated = std::find(g_fake.terminated.begin(), g_fake.terminated.end(),
                                      fake->id) != g_fake.terminated.end();
    const bool ends = terminated && milliseconds != 0 && !fake->lingers;
    if (fake->exited || ends)
        return WAIT_OBJECT_0;
    g_fake.tick += milliseconds;
    return WAIT_TIMEOUT;
}

DWORD GetTickCount()
{
    return g_fake.tick;
}

BOOL SetDllDirectoryA(LPCSTR path)
{
    g_fake.dllDirectoryCleared = path != NULL && path[0] == '\0';
    g_fake.libraryCallsBeforeDirectoryCleared = g_fake.libraryCalls;
    return TRUE;
}

BOOL SetDefaultDllDirectories(DWORD flags)
{
    g_fake.defaultDllDirectories = flags;
    g_fake.libraryCallsBeforeSearchKept = g_fake.libraryCalls;
    return TRUE;
}

DWORD GetCurrentProcessId()
{
    return g_fake.ownProcessId;
}


}
