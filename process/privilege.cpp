#include "privilege.h"

#include "platform_calls.h"

namespace {

const char kDebugPrivilege[] = "SeDebugPrivilege";

// The program's own token, opened to switch a privilege.
bool OpenOwnToken(HANDLE *ownToken)
{
    return platform::OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                                      ownToken) != FALSE;
}

// SetPrivilege, and into *wasOn whether the privilege was on before.
int SwitchPrivilege(HANDLE token, LPCSTR privilegeName, BOOL enable, bool *wasOn)
{
    LUID luid;
    if (!platform::LookupPrivilegeValueA(NULL, privilegeName, &luid))
        return 0;

    // The first call switches the privilege off and hands back its previous
    // attributes, so the second call can keep every bit but the enabled one.
    TOKEN_PRIVILEGES request;
    request.PrivilegeCount = 1;
    request.Privileges[0].Luid = luid;
    request.Privileges[0].Attributes = 0;
    TOKEN_PRIVILEGES previous;
    ZeroMemory(&previous, sizeof(previous));
    DWORD previousLength = sizeof(TOKEN_PRIVILEGES);
    platform::AdjustTokenPrivileges(token, FALSE, &request, sizeof(TOKEN_PRIVILEGES), &previous,
                                    &previousLength);
    // The return value is TRUE even when the token lacks the privilege
    // (ERROR_NOT_ALL_ASSIGNED), so only the last error tells.
    if (GetLastError() != ERROR_SUCCESS)
        return 0;
    // A privilege that was off gives no entry, and its attributes stay 0.
    *wasOn = (previous.Privileges[0].Attributes & SE_PRIVILEGE_ENABLED) != 0;

    previous.PrivilegeCount = 1;
    previous.Privileges[0].Luid = luid;
    if (enable)
        previous.Privileges[0].Attributes |= SE_PRIVILEGE_ENABLED;
    else
        previous.Privileges[0].Attributes &= ~SE_PRIVILEGE_ENABLED;
    platform::AdjustTokenPrivileges(token, FALSE, &previous, previousLength, NULL, NULL);
    return GetLastError() == ERROR_SUCCESS ? 1 : 0;
}

// The limited right first: from Vista on it is all that reading needs, and
// processes grant it where they refuse more (protected ones, those of a
// higher integrity level), also across architectures. Windows XP and
// Server 2003 (NT 5) do not know it: they refuse it, or with the debug
// privilege grant a handle that no query accepts. There, and wherever the
// limited right is refused, full query access. An identifier that names no
// process (ERROR_INVALID_PARAMETER) is not tried again.
// The privilege is held for the open alone, or left as it is (the rebuild
// holds it throughout).
HANDLE OpenWithQueryAccess(DWORD processId, bool privilegeForOpen)
{
    const bool limitedRightKnown = LOBYTE(LOWORD(GetVersion())) >= 6;
    const DWORD accesses[] = { PROCESS_QUERY_LIMITED_INFORMATION, PROCESS_QUERY_INFORMATION };
    HANDLE process = NULL;
    for (DWORD access : accesses) {
        if (access == PROCESS_QUERY_LIMITED_INFORMATION && !limitedRightKnown)
            continue;
        process = privilegeForOpen ? OpenProcessWithDebugPrivilege(access, processId)
                                   : platform::OpenProcess(access, FALSE, processId);
        if (process != NULL || GetLastError() == ERROR_INVALID_PARAMETER)
            break;
    }
    return process;
}

}

// Where the privilege was on before (the table's read holds it throughout),
// it stays on.
HANDLE OpenProcessWithDebugPrivilege(DWORD access, DWORD processId)
{
    HANDLE ownToken = NULL;
    const bool tokenOpened = OpenOwnToken(&ownToken);
    bool wasOn = false;
    const bool privileged =
        tokenOpened && SwitchPrivilege(ownToken, kDebugPrivilege, TRUE, &wasOn);
    HANDLE process = platform::OpenProcess(access, FALSE, processId);
    // The caller may ask why there is no handle: a process that has ended
    // (ERROR_INVALID_PARAMETER) is not one that refused.
    const DWORD error = GetLastError();
    if (privileged && !wasOn)
        SetPrivilege(ownToken, kDebugPrivilege, FALSE);
    if (tokenOpened)
        platform::CloseHandle(ownToken);
    SetLastError(error);
    return process;
}

HANDLE OpenProcessToRead(DWORD processId)
{
    return OpenWithQueryAccess(processId, false);
}

HANDLE OpenProcessForQuery(DWORD processId)
{
    return OpenWithQueryAccess(processId, true);
}

HANDLE BeginDebugPrivilege()
{
    HANDLE ownToken;
    if (!OpenOwnToken(&ownToken))
        return NULL;
    SetPrivilege(ownToken, kDebugPrivilege, TRUE);
    return ownToken;
}

void EndDebugPrivilege(HANDLE ownToken)
{
    SetPrivilege(ownToken, kDebugPrivilege, FALSE);
    platform::CloseHandle(ownToken);
}

int SetPrivilege(HANDLE token, LPCSTR privilegeName, BOOL enable)
{
    bool wasOn;
    return SwitchPrivilege(token, privilegeName, enable, &wasOn);
}
