// The real platform behind platform_calls.h.
#include "platform_calls.h"

#include "bound_call.h"
#include "system_library.h"

namespace {

// psapi.dll and wtsapi32.dll are not among the libraries Windows always takes
// from the system folder: imported by name, a copy planted in the program's
// folder (a Downloads folder, say) would be loaded first and run with this
// program's rights, debug privilege included. So they are loaded by full
// path from the system folder, once, when their calls are first needed, and
// stay loaded until the process ends. A library that cannot be loaded leaves
// its calls failing as the platform's own failures would.
struct ProcessStatusCalls {
    BOOL(WINAPI *enumProcesses)(DWORD *, DWORD, DWORD *);
    BOOL(WINAPI *enumProcessModules)(HANDLE, HMODULE *, DWORD, DWORD *);
    DWORD(WINAPI *getModuleBaseNameA)(HANDLE, HMODULE, LPSTR, DWORD);
    DWORD(WINAPI *getModuleFileNameExA)(HANDLE, HMODULE, LPSTR, DWORD);
    DWORD(WINAPI *getProcessImageFileNameW)(HANDLE, LPWSTR, DWORD);
};

struct SessionCalls {
    BOOL(WINAPI *enumerateProcessesA)(HANDLE, DWORD, DWORD, WTS_PROCESS_INFOA **, DWORD *);
    void(WINAPI *freeMemory)(void *);
};

bool AllBound(const ProcessStatusCalls &calls)
{
    return calls.enumProcesses != NULL && calls.enumProcessModules != NULL &&
           calls.getModuleBaseNameA != NULL && calls.getModuleFileNameExA != NULL &&
           calls.getProcessImageFileNameW != NULL;
}

// Since Windows 7 kernel32, which every process has loaded, carries the
// process-status calls itself (psapi.dll forwards to them there): taken from
// it, they cost the start-up no library load. Older systems have them in
// psapi.dll alone.
ProcessStatusCalls BindProcessStatus()
{
    ProcessStatusCalls calls;
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    BindCall(kernel32, "K32EnumProcesses", calls.enumProcesses);
    BindCall(kernel32, "K32EnumProcessModules", calls.enumProcessModules);
    BindCall(kernel32, "K32GetModuleBaseNameA", calls.getModuleBaseNameA);
    BindCall(kernel32, "K32GetModuleFileNameExA", calls.getModuleFileNameExA);
    BindCall(kernel32, "K32GetProcessImageFileNameW", calls.getProcessImageFileNameW);
    if (AllBound(calls))
        return calls;
    HMODULE library = LoadSystemLibrary("psapi.dll");
    BindCall(library, "EnumProcesses", calls.enumProcesses);
    BindCall(library, "EnumProcessModules", calls.enumProcessModules);
    BindCall(library, "GetModuleBaseNameA", calls.getModuleBaseNameA);
    BindCall(library, "GetModuleFileNameExA", calls.getModuleFileNameExA);
    BindCall(library, "GetProcessImageFileNameW", calls.getProcessImageFileNameW);
    return calls;
}

SessionCalls BindSessions()
{
    SessionCalls calls;
    HMODULE library = LoadSystemLibrary("wtsapi32.dll");
    BindCall(library, "WTSEnumerateProcessesA", calls.enumerateProcessesA);
    BindCall(library, "WTSFreeMemory", calls.freeMemory);
    return calls;
}

// Bound on first use, once. Only the dialog thread calls these, so the
// statics are built without a guard (-fno-threadsafe-statics): nothing else
// can ask while one is being bound.
const ProcessStatusCalls &ProcessStatus()
{
    static const ProcessStatusCalls calls = BindProcessStatus();
    return calls;
}

const SessionCalls &Sessions()
{
    static const SessionCalls calls = BindSessions();
    return calls;
}

BOOL Unavailable()
{
    SetLastError(ERROR_PROC_NOT_FOUND);
    return FALSE;
}

}

namespace platform {

BOOL EnumProcesses(DWORD *ids, DWORD size, DWORD *bytesReturned)
{
    if (ProcessStatus().enumProcesses == NULL)
        return Unavailable();
    return ProcessStatus().enumProcesses(ids, size, bytesReturned);
}

HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId)
{
    return ::OpenProcess(access, inherit, processId);
}

BOOL EnumProcessModules(HANDLE process, HMODULE *modules, DWORD size, DWORD *needed)
{
    if (ProcessStatus().enumProcessModules == NULL)
        return Unavailable();
    return ProcessStatus().enumProcessModules(process, modules, size, needed);
}

DWORD GetModuleBaseNameA(HANDLE process, HMODULE module, LPSTR name, DWORD size)
{
    if (ProcessStatus().getModuleBaseNameA == NULL)
        return Unavailable();
    return ProcessStatus().getModuleBaseNameA(process, module, name, size);
}

DWORD GetModuleFileNameExA(HANDLE process, HMODULE module, LPSTR name, DWORD size)
{
    if (ProcessStatus().getModuleFileNameExA == NULL)
        return Unavailable();
    return ProcessStatus().getModuleFileNameExA(process, module, name, size);
}

BOOL QueryFullProcessImageNameW(HANDLE process, DWORD flags, LPWSTR path, DWORD *size)
{
    // Vista on; bound on first use, once, like IsProcessCritical.
    static BOOL(WINAPI * const queryImageName)(HANDLE, DWORD, LPWSTR, DWORD *) = [] {
        BOOL(WINAPI * call)(HANDLE, DWORD, LPWSTR, DWORD *);
        BindCall(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameW", call);
        return call;
    }();
    if (queryImageName == NULL)
        return Unavailable();
    return queryImageName(process, flags, path, size);
}

DWORD GetProcessImageFileNameW(HANDLE process, LPWSTR path, DWORD size)
{
    if (ProcessStatus().getProcessImageFileNameW == NULL)
        return Unavailable();
    return ProcessStatus().getProcessImageFileNameW(process, path, size);
}

DWORD QueryDosDeviceW(LPCWSTR device, LPWSTR target, DWORD size)
{
    return ::QueryDosDeviceW(device, target, size);
}

BOOL TerminateProcess(HANDLE process, UINT exitCode)
{
    return ::TerminateProcess(process, exitCode);
}

BOOL GetExitCodeProcess(HANDLE process, DWORD *exitCode)
{
    return ::GetExitCodeProcess(process, exitCode);
}

BOOL IsProcessCritical(HANDLE process, BOOL *critical)
{
    // Bound on first use, once; only the dialog thread calls this.
    static BOOL(WINAPI * const isProcessCritical)(HANDLE, BOOL *) = [] {
        BOOL(WINAPI * call)(HANDLE, BOOL *);
        BindCall(GetModuleHandleA("kernel32.dll"), "IsProcessCritical", call);
        return call;
    }();
    if (isProcessCritical == NULL)
        return Unavailable();
    return isProcessCritical(process, critical);
}

BOOL SetDllDirectoryA(LPCSTR path)
{
    BOOL(WINAPI * setDllDirectory)(LPCSTR);
    BindCall(GetModuleHandleA("kernel32.dll"), "SetDllDirectoryA", setDllDirectory);
    return setDllDirectory != NULL ? setDllDirectory(path) : Unavailable();
}

BOOL SetDefaultDllDirectories(DWORD flags)
{
    BOOL(WINAPI * setDefaultDllDirectories)(DWORD);
    BindCall(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories", setDefaultDllDirectories);
    return setDefaultDllDirectories != NULL ? setDefaultDllDirectories(flags) : Unavailable();
}

LONG NtQueryInformationProcess(HANDLE process, ULONG infoClass, void *info, ULONG size,
                               ULONG *length)
{
    // ntdll is in every process from its start; looking the call up keeps
    // it off the import list. Bound once, on first use, by the dialog's
    // thread, the only one that asks.
    static LONG(WINAPI * const queryInformation)(HANDLE, ULONG, void *, ULONG, ULONG *) = [] {
        LONG(WINAPI * call)(HANDLE, ULONG, void *, ULONG, ULONG *);
        BindCall(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess", call);
        return call;
    }();
    const LONG kProcedureNotFound = static_cast<LONG>(0xC000007A);
    if (queryInformation == NULL)
        return kProcedureNotFound;
    return queryInformation(process, infoClass, info, size, length);
}

// Bound as the program starts, not on first use: the binding's own calls
// would come between a failed call and the read of its status.
LONG(WINAPI *const s_lastNtStatus)() = [] {
    LONG(WINAPI * call)();
    BindCall(GetModuleHandleA("ntdll.dll"), "RtlGetLastNtStatus", call);
    return call;
}();

BOOL RtlGetLastNtStatus(LONG *status)
{
    if (s_lastNtStatus == NULL)
        return FALSE;
    *status = s_lastNtStatus();
    return TRUE;
}

BOOL CloseHandle(HANDLE handle)
{
    return ::CloseHandle(handle);
}

BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE *token)
{
    return ::OpenProcessToken(process, access, token);
}

BOOL LookupPrivilegeValueA(LPCSTR system, LPCSTR name, LUID *luid)
{
    return ::LookupPrivilegeValueA(system, name, luid);
}

BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES *request,
                           DWORD requestLength, TOKEN_PRIVILEGES *previous,
                           DWORD *previousLength)
{
    return ::AdjustTokenPrivileges(token, disableAll, request, requestLength, previous,
                                   previousLength);
}

BOOL GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS infoClass, void *info,
                         DWORD size, DWORD *length)
{
    return ::GetTokenInformation(token, infoClass, info, size, length);
}

BOOL LookupAccountSidW(LPCWSTR system, PSID sid, LPWSTR name, DWORD *nameLength,
                       LPWSTR domain, DWORD *domainLength, SID_NAME_USE *use)
{
    return ::LookupAccountSidW(system, sid, name, nameLength, domain, domainLength, use);
}

BOOL WTSEnumerateProcessesA(HANDLE server, DWORD reserved, DWORD version,
                            WTS_PROCESS_INFOA **processes, DWORD *count)
{
    if (Sessions().enumerateProcessesA == NULL)
        return Unavailable();
    return Sessions().enumerateProcessesA(server, reserved, version, processes, count);
}

void WTSFreeMemory(void *memory)
{
    if (Sessions().freeMemory != NULL)
        Sessions().freeMemory(memory);
}

HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId)
{
    return ::CreateToolhelp32Snapshot(flags, processId);
}

BOOL Process32FirstW(HANDLE snapshot, PROCESSENTRY32W *entry)
{
    return ::Process32FirstW(snapshot, entry);
}

BOOL Process32NextW(HANDLE snapshot, PROCESSENTRY32W *entry)
{
    return ::Process32NextW(snapshot, entry);
}

BOOL GetProcessTimes(HANDLE process, FILETIME *creation, FILETIME *exit, FILETIME *kernel,
                     FILETIME *user)
{
    return ::GetProcessTimes(process, creation, exit, kernel, user);
}

DWORD GetCurrentProcessId()
{
    return ::GetCurrentProcessId();
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    return ::WaitForSingleObject(handle, milliseconds);
}

DWORD GetTickCount()
{
    return ::GetTickCount();
}

}
