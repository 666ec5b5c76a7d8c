// A process and every process descended from it, as one look at the process
// table shows them.
#ifndef VANTRY_PROCESS_TREE_H
#define VANTRY_PROCESS_TREE_H

#include <windows.h>

#include "process_group.h"

// Gathers the root (the process of a row's key) and its descendants, each
// with its own key, from one process snapshot. A parent's identifier may
// have been handed on, and a child's too since the snapshot, so a process
// counts as a child only where the kernel, asked on its own handle, names
// the member as its parent and its start is no earlier than the member's;
// where either cannot be read, it does not count. Descendants are followed
// only while the root is still the process of the row, with the row's image
// name (HasImageName: never a name the process snapshot alone gives). Only
// processes that may be ended with others count (MayOfferEnd): this
// program's own process never does, nor what it started, and as the root
// it leaves the tree empty.
void GatherProcessTree(const ProcessKey &root, const char *rootImageName, ProcessGroup *tree);

#endif
