// The real platform behind platform_calls.h.
#include "platform_calls.h"

#include <psapi.h>

namespace platform {

BOOL EnumProcesses(DWORD *ids, DWORD size, DWORD *bytesReturned)
{
    return ::EnumProcesses(ids, size, bytesReturned);
}

HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId)
{
    return ::OpenProcess(access, inherit, processId);
}

BOOL EnumProcessModules(HANDLE process, HMODULE *modules, DWORD size, DWORD *needed)
{
    return ::EnumProcessModules(process, modules, size, needed);
}

DWORD GetModuleBaseNameA(HANDLE process, HMODULE module, LPSTR name, DWORD size)
{
    return ::GetModuleBaseNameA(process, module, name, size);
}

DWORD GetModuleFileNameExA(HANDLE process, HMODULE module, LPSTR name, DWORD size)
{
    return ::GetModuleFileNameExA(process, module, name, size);
}

BOOL TerminateProcess(HANDLE process, UINT exitCode)
{
    return ::TerminateProcess(process, exitCode);
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

BOOL LookupAccountSidA(LPCSTR system, PSID sid, LPSTR name, DWORD *nameLength,
                       LPSTR domain, DWORD *domainLength, SID_NAME_USE *use)
{
    return ::LookupAccountSidA(system, sid, name, nameLength, domain, domainLength, use);
}

BOOL WTSEnumerateProcessesA(HANDLE server, DWORD reserved, DWORD version,
                            WTS_PROCESS_INFOA **processes, DWORD *count)
{
    return ::WTSEnumerateProcessesA(server, reserved, version, processes, count);
}

void WTSFreeMemory(void *memory)
{
    ::WTSFreeMemory(memory);
}

}
