// The process, module, security and terminal-services calls that the process
// routines make. They go through this thin layer so that the tests can link a
// replacement and produce faults the platform will not produce on demand.
#ifndef VANTRY_PLATFORM_CALLS_H
#define VANTRY_PLATFORM_CALLS_H

#include <windows.h>
#include <wtsapi32.h>
#include <tlhelp32.h>

namespace platform {

BOOL EnumProcesses(DWORD *ids, DWORD size, DWORD *bytesReturned);
HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId);
BOOL EnumProcessModules(HANDLE process, HMODULE *modules, DWORD size, DWORD *needed);
DWORD GetModuleBaseNameA(HANDLE process, HMODULE module, LPSTR name, DWORD size);
DWORD GetModuleFileNameExA(HANDLE process, HMODULE module, LPSTR name, DWORD size);
// The image file as the kernel recorded it at the process's start: its
// full path, which fails with ERROR_PROC_NOT_FOUND where the system has no
// such call (before Vista); the path on its device (psapi, Windows XP on);
// and what a drive letter ("C:") names.
BOOL QueryFullProcessImageNameW(HANDLE process, DWORD flags, LPWSTR path, DWORD *size);
DWORD GetProcessImageFileNameW(HANDLE process, LPWSTR path, DWORD size);
DWORD QueryDosDeviceW(LPCWSTR device, LPWSTR target, DWORD size);
BOOL TerminateProcess(HANDLE process, UINT exitCode);
// A process's exit code: STILL_ACTIVE until the process has exited, its last
// thread gone. Windows sets the code only then, not while it ends the
// threads.
BOOL GetExitCodeProcess(HANDLE process, DWORD *exitCode);
// Whether Windows stops when the process ends. Fails with ERROR_PROC_NOT_FOUND
// where the system has no such call (before Windows 8.1).
BOOL IsProcessCritical(HANDLE process, BOOL *critical);
// ntdll's query of a process's information class; answers an NTSTATUS
// (negative on failure). The one way to ask for the critical flag before
// Windows 8.1, by the class ProcessBreakOnTermination.
LONG NtQueryInformationProcess(HANDLE process, ULONG infoClass, void *info, ULONG size,
                               ULONG *length);
// The NTSTATUS of the thread's last failed call, beside its last error
// (ntdll, looked up at run time). FALSE where ntdll has no such call.
BOOL RtlGetLastNtStatus(LONG *status);
BOOL CloseHandle(HANDLE handle);

BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE *token);
BOOL LookupPrivilegeValueA(LPCSTR system, LPCSTR name, LUID *luid);
BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES *request,
                           DWORD requestLength, TOKEN_PRIVILEGES *previous,
                           DWORD *previousLength);
BOOL GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS infoClass, void *info,
                         DWORD size, DWORD *length);
BOOL LookupAccountSidW(LPCWSTR system, PSID sid, LPWSTR name, DWORD *nameLength,
                       LPWSTR domain, DWORD *domainLength, SID_NAME_USE *use);

BOOL WTSEnumerateProcessesA(HANDLE server, DWORD reserved, DWORD version,
                            WTS_PROCESS_INFOA **processes, DWORD *count);
void WTSFreeMemory(void *memory);

// One look at every process: its identifier, its parent's and the name of
// its image file (in UTF-16, converted as the list's other texts are); and
// when a process was started (and, once it has, ended).
HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId);
BOOL Process32FirstW(HANDLE snapshot, PROCESSENTRY32W *entry);
BOOL Process32NextW(HANDLE snapshot, PROCESSENTRY32W *entry);
BOOL GetProcessTimes(HANDLE process, FILETIME *creation, FILETIME *exit, FILETIME *kernel,
                     FILETIME *user);
// This program's own identifier: it never counts its own windows as
// another program's, nor ends itself with a tree.
DWORD GetCurrentProcessId();
// Waiting for a process (a handle with SYNCHRONIZE access) to end, and the
// clock of the waits, in milliseconds.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
DWORD GetTickCount();
// Where this process looks for the libraries it loads by name. Both fail
// with ERROR_PROC_NOT_FOUND where the system lacks them (SetDllDirectoryA
// before XP SP1, SetDefaultDllDirectories before 8 without its update).
BOOL SetDllDirectoryA(LPCSTR path);
BOOL SetDefaultDllDirectories(DWORD flags);

}

#endif
