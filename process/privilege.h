#ifndef VANTRY_PRIVILEGE_H
#define VANTRY_PRIVILEGE_H

#include <windows.h>

// Switches one privilege of a token (opened with TOKEN_ADJUST_PRIVILEGES |
// TOKEN_QUERY) on or off. Returns 1 on success, 0 on failure; a token that
// does not hold the privilege at all counts as failure.
int SetPrivilege(HANDLE token, LPCSTR privilegeName, BOOL enable);

// Opens a process with the debug privilege of the program's own token on for
// the open alone: on every path it is as it was again before this returns
// (off, unless something held it on). Where the privilege cannot be
// switched on (a limited token), the open is tried without it: the
// privilege only widens what opens, and a program of the user's own needs
// none. NULL when the process cannot be opened; the last error then says
// why.
HANDLE OpenProcessWithDebugPrivilege(DWORD access, DWORD processId);

// The one way to open a process to read about it (its image file, owner,
// start and critical flag): the limited query right, then full query
// access. NULL with the last error of the final attempt. The first keeps the
// debug privilege as it is, for the rebuild that holds it throughout; the
// second holds it for the open alone.
HANDLE OpenProcessToRead(DWORD processId);
HANDLE OpenProcessForQuery(DWORD processId);

// For reading processes: the program's own token, with the debug privilege
// switched on if the token holds it (without it fewer processes open, and
// that is all). NULL when the token cannot be opened. EndDebugPrivilege
// switches the privilege off again and closes the token.
HANDLE BeginDebugPrivilege();
void EndDebugPrivilege(HANDLE ownToken);

#endif
