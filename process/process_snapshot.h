// One look at every process the system runs, as its snapshot of the process
// table gives them: each process's identifier, its parent's, and the name of
// its image file. The list names the processes nothing else names from it,
// and a process tree is gathered from it.
#ifndef VANTRY_PROCESS_SNAPSHOT_H
#define VANTRY_PROCESS_SNAPSHOT_H

#include <windows.h>
#include <tlhelp32.h>

#include "platform_calls.h"

// The snapshot of this moment, or INVALID_HANDLE_VALUE; the caller closes it.
inline HANDLE TakeProcessSnapshot()
{
    return platform::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
}

// Hands each process of the snapshot to visit, in the snapshot's order,
// until visit answers false or the snapshot ends.
void VisitProcessSnapshot(HANDLE snapshot,
                          bool (*visit)(const PROCESSENTRY32W &entry, void *context),
                          void *context);

#endif
