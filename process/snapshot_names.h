// The name the process snapshot gives each enumerated process, read in one
// walk of a snapshot taken right after the enumeration: the list names from
// it the processes that the kernel does not name (System, protected ones,
// and on a limited token many more). Such a name is for the user to read:
// the snapshot is older than the row's key, and no action takes its name
// for the process's.
#ifndef VANTRY_SNAPSHOT_NAMES_H
#define VANTRY_SNAPSHOT_NAMES_H

#include <windows.h>

#include "process_table.h"

// Room for the names of one reading, in the list's code page: a name past
// it is not kept, and its row then shows what the kernel gave, if anything.
const int kSnapshotNameBytes = 64 * 1024;

struct SnapshotNames {
    int offsets[kMaxProcesses];  // into text, by enumeration index; -1: none
    char text[kSnapshotNameBytes];
    int used;
};

// Takes the snapshot, keeps the name of each of the count identifiers it
// lists, and closes it again. Without a snapshot no name is kept.
void ReadSnapshotNames(const DWORD *ids, int count, SnapshotNames *names);

// The name kept for the identifier at index, or NULL.
const char *SnapshotNameOf(const SnapshotNames &names, int index);

#endif
