// Reading the process table: one record for each process, as Windows
// recorded it. What the list shows of a process is decided here; the list
// only writes the records into its rows.
#ifndef VANTRY_PROCESS_TABLE_H
#define VANTRY_PROCESS_TABLE_H

#include <windows.h>
#include <wtsapi32.h>

#include "account_names.h"

// At most this many processes are listed; further ones are not.
const int kMaxProcesses = 1000;

// The idle process: no program, and no file names it. It cannot be ended.
const DWORD kIdleProcessId = 0;

// Where a record's image name came from.
// Where the kernel's path is unread, or on Windows XP the loader list names
// the file, the process snapshot names it afterwards (ReadSnapshotNames).
enum NameSource {
    kNameNone,        // nothing yet: the record holds its identifier alone
    kNameKernel,      // the kernel's record of the file the process started from
    kNameLoaderList,  // Windows XP, a file on a device no drive letter names:
                      // the process's own loader list
};

struct ProcessRecord {
    DWORD id;
    char name[MAX_PATH];  // the last part of the whole path
    char path[MAX_PATH];  // cut where a character ends
    char owner[kAccountNameChars];
    ULONGLONG created;  // a FILETIME count; 0 where unknown
    NameSource nameSource;
};

// One reading of the table, from its enumeration to the last record.
struct ProcessTable {
    // When the table was read, a FILETIME count noted before the
    // enumeration: a record is only ever of a process started no later.
    ULONGLONG time;
    DWORD ids[kMaxProcesses];
    int count;
    // The records that only the snapshot can name, or name better.
    bool wantsName[kMaxProcesses];
    HANDLE ownToken;
    HANDLE snapshot;
    // The terminal-services list of owners, fetched the first time a
    // process's token cannot be opened.
    bool sessionsFetched;
    WTS_PROCESS_INFOA *sessionEntries;
    DWORD sessionCount;
    AccountNames accounts;
};

// Notes the time, enumerates the processes' identifiers, switches the debug
// privilege on and takes the process snapshot with the enumeration. False
// when the program's own token cannot be opened: then nothing is to be
// read or closed.
bool OpenProcessTable(ProcessTable *table);

// Reads the process at index into record, from one open of the process:
// its name and path, its owner and its start. A process started after the
// table's time holds another program's facts, and the idle process (0) no
// file's: their records hold the identifier alone.
void ReadProcessRecord(ProcessTable *table, int index, ProcessRecord *record);

// Hands named the name of each record that the kernel did not name (a
// process that will not open, one whose path cannot be read, one the
// loader list named) by its index, from the snapshot taken with the
// enumeration. Such a record has no path: the loader list's claim must not
// stand beside another name.
void ReadSnapshotNames(ProcessTable *table, void (*named)(int index, const char *name, void *context),
                       void *context);

// Switches the privilege off again and releases what the reading holds.
void CloseProcessTable(ProcessTable *table);

#endif
