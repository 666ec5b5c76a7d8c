// Whether an opened process is still the one a row of the list stands for.
// An identifier is handed to a new process once the old one has ended, so a
// row is keyed by its identifier and its process's start, both read from
// the kernel when the row was read. Windows stamps a process's start once,
// when it makes the process; two starts compare soundly with each other,
// never with the clock of now, which may have been set back since.
#ifndef VANTRY_PROCESS_IDENTITY_H
#define VANTRY_PROCESS_IDENTITY_H

#include <windows.h>

// A process's start as a FILETIME count; 0 where it could not be read (no
// process but the idle one starts in the year 1601).
const ULONGLONG kStartUnknown = 0;

struct ProcessKey {
    DWORD id;
    ULONGLONG created;  // kStartUnknown: no action opens it as the row's
};

// Two keys without a start say nothing of their processes, which are never
// the same; but for the idle process (0), which has no start and is always
// itself.
inline bool SameProcessKey(const ProcessKey &a, const ProcessKey &b)
{
    return a.id == b.id && a.created == b.created && (a.created != kStartUnknown || a.id == 0);
}

enum RowIdentity {
    kRowProcess,         // still the process of the row
    kRowProcessGone,     // the identifier names no process, or another one
                         // (started at another time), or one that exited
    kRowProcessUnknown,  // it cannot be told: the process will not open even
                         // to be asked, or its start cannot be read, or
                         // the row has none to match
};

// What a process is opened for.
enum ProcessAccess {
    kAccessToQuery,        // OpenProcessForQuery: the privilege for the open alone
    kAccessToQueryFully,   // full query access, the privilege for the open alone
    kAccessToReadMemory,   // query and read access to its memory (its loader list)
    kAccessToEnd,          // full access, the privilege for the open alone
};

enum ProcessState {
    kProcessRunning,
    kProcessExited,       // while something holds it open
    kProcessTimesUnread,
};

// Whether an opened process runs, and its start into *created
// (kStartUnknown where unread), from one read of its times, on a handle with
// the limited query right at least.
ProcessState ReadProcessState(HANDLE process, ULONGLONG *created);

// Whether an opened process has exited (ReadProcessState).
bool HasExited(HANDLE process);

// Opens the process of a row for access and gives the handle only while it
// is that process: the one that holds the key's identifier, started exactly
// at the key's start, and has not exited, decided on that very handle.
// Before the end's access, the process is asked with the least access that
// tells: only the key's process is opened to be ended, never one for a key
// without a start. NULL with *identity kRowProcessGone, or with
// kRowProcessUnknown and the last error saying why (ERROR_INVALID_DATA:
// the process cannot be told by its start).
HANDLE OpenIdentifiedProcess(const ProcessKey &key, ProcessAccess access, RowIdentity *identity);

// Whether the process that holds the key's identifier now is the key's
// (OpenIdentifiedProcess for query, and nothing done with it).
RowIdentity CheckProcessKey(const ProcessKey &key);

#endif
