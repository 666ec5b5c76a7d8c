// Whether an opened process is still the one a row of the list stands for.
// An identifier is handed to a new process once the old one has ended, so a
// row means the process that held its identifier when the list was read.
#ifndef VANTRY_PROCESS_IDENTITY_H
#define VANTRY_PROCESS_IDENTITY_H

#include <windows.h>

// The system time now, as a FILETIME count: a rebuild notes it before it
// reads the process table.
ULONGLONG SystemTimeNow();

// When an opened process (query access) was started, as a FILETIME count.
bool ReadCreationTime(HANDLE process, ULONGLONG *created);

// Whether an opened process (query access) is still the one that held its
// identifier when the list was read (listTime): started no later, and not
// ended. A start that cannot be read counts as later: nothing is known of it.
bool IsListedProcess(HANDLE process, ULONGLONG listTime);

enum RowIdentity {
    kRowProcess,         // still the process of the row
    kRowProcessGone,     // the identifier names no process, or a newer one
    kRowProcessUnknown,  // the process will not open even to be asked
};

// Asks with the least access that tells (OpenProcessForQuery) whether the
// process that holds an identifier now is the row's, before anything is
// done that needs more: a refusal of more access must not be taken for the
// row's process refusing.
RowIdentity CheckRowIdentity(DWORD processId, ULONGLONG listTime);

// The same for a process known by its start (created): whether its
// identifier now names no process, or another one.
bool NamesAnotherProcess(DWORD processId, ULONGLONG created);

#endif
