// A process and every process descended from it, as one look at the process
// table shows them.
#ifndef VANTRY_PROCESS_TREE_H
#define VANTRY_PROCESS_TREE_H

#include <windows.h>

#include "process_group.h"

// Gathers the root and its descendants from one process snapshot. A parent
// identifier may have been handed on to a newer process, and a child's to a
// program started after the snapshot, so a process counts as a child only
// when it started between its parent's start and the snapshot; where either
// start cannot be read, it does not count. Descendants are followed only
// while the root is still the process of the row (the rule of
// TerminateById, with the list's time). This program's own process never
// counts, nor what it started: it stays to show the result. Its own
// identifier as the root leaves the tree empty.
void GatherProcessTree(DWORD rootId, const char *rootImageName, ULONGLONG listTime,
                       ProcessGroup *tree);

#endif
