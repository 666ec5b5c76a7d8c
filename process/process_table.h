// Reading the process table: one finished record for each process, as
// Windows recorded it. What the list shows of a process is decided here;
// the list only writes the records into its rows.
#ifndef VANTRY_PROCESS_TABLE_H
#define VANTRY_PROCESS_TABLE_H

#include <windows.h>

#include "account_names.h"
#include "process_identity.h"

// At most this many processes are listed; further ones are not.
const int kMaxProcesses = 1000;

// The idle process: no program, and no file names it. It cannot be ended.
const DWORD kIdleProcessId = 0;

struct ProcessRecord {
    // The identifier and the start of the process read: the row's key.
    ProcessKey key;
    char name[MAX_PATH];  // the last part of the whole path
    char path[MAX_PATH];  // cut where a character ends, with an ellipsis;
                          // empty beside a name the process snapshot gave
    char owner[kAccountNameChars];
};

// What takes the table as it is read.
class ProcessTableReceiver {
public:
    // Every identifier of the enumeration, in its order, before any record.
    virtual void TakeIdentifiers(const DWORD *ids, int count) = 0;
    // The record of ids[index]; cells without text are empty strings.
    virtual void TakeRecord(int index, const ProcessRecord &record) = 0;

protected:
    ~ProcessTableReceiver() = default;
};

// Reads the whole table: enumerates the identifiers, takes the process
// snapshot with them, then switches the debug privilege on and reads each
// process from one open of it (its key, name, path and owner; on Windows XP
// a file on a device without a drive letter from its loader list, by the
// key just read), naming from the snapshot those the kernel cannot name. Everything it opens (the
// privilege, the snapshot, the terminal-services list) is released before
// it returns. False, with nothing handed on, when the program's own token
// cannot be opened.
bool ReadProcessTable(ProcessTableReceiver *receiver);

#endif
