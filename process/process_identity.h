// Whether an opened process is still the one a row of the list stands for.
// An identifier is handed to a new process once the old one has ended, so a
// row means the process that held its identifier when the list was read.
#ifndef VANTRY_PROCESS_IDENTITY_H
#define VANTRY_PROCESS_IDENTITY_H

#include <windows.h>

// The system time now, as a FILETIME count: a rebuild notes it before it
// reads the process table.
ULONGLONG SystemTimeNow();

enum RowIdentity {
    kRowProcess,         // still the process of the row
    kRowProcessGone,     // the identifier names no process, or one started
                         // outside the span (or when, unknown), or one exited
    kRowProcessUnknown,  // the process will not open even to be asked
};

// What a process is opened for.
enum ProcessAccess {
    kAccessToRead,    // OpenProcessToRead: the debug privilege as it is
    kAccessToQuery,   // OpenProcessForQuery: the privilege for the open alone
    kAccessToReadMemory,  // query and read access to its memory (its loader list)
    kAccessToEnd,     // full access, the privilege for the open alone
};

// Opens a process for access and gives the handle only while it is the
// process meant:
// one started between earliest and latest (FILETIME counts) that has not
// exited, decided on that very handle. A row of the list is the process
// started no later than the list's time (earliest 0, latest the list's
// time); a process known by its start is the one started exactly then.
// Before the end's access, the process is asked with the least access that
// tells: a newer program is never opened to be ended. NULL with *identity
// kRowProcessGone, or with kRowProcessUnknown and the refused open's last
// error. Where created is given, it receives the process's start (a
// FILETIME count).
HANDLE OpenIdentifiedProcess(DWORD processId, ULONGLONG earliest, ULONGLONG latest,
                             ProcessAccess access, RowIdentity *identity,
                             ULONGLONG *created = NULL);

// Whether the process that holds an identifier now is the row's
// (OpenIdentifiedProcess for query, and nothing done with it).
RowIdentity CheckRowIdentity(DWORD processId, ULONGLONG listTime);

#endif
