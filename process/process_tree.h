// A process and every process descended from it, as one look at the process
// table shows them.
#ifndef VANTRY_PROCESS_TREE_H
#define VANTRY_PROCESS_TREE_H

#include <windows.h>

#include "terminate.h"

// As many processes as the process table lists.
const int kMaxTreeProcesses = 1000;

struct ProcessTree {
    // The root first, then its descendants, each after its parent.
    DWORD ids[kMaxTreeProcesses];
    // When each member was started: a child must not be older than its
    // parent, and a descendant is ended only while its identifier still
    // names the process started then. The root is ended by its name.
    ULONGLONG created[kMaxTreeProcesses];
    int count;
};

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
                       ProcessTree *tree);

// What became of a tree's end.
struct TreeEnd {
    int failures;      // members that could not be ended, or are not gone yet
    EndResult reason;  // why, when they all failed alike; else kEndFailed
    bool rootGone;     // the root had ended before, by the rule of TerminateById
};

// Ends the root first, so that it cannot start replacements, then the rest,
// parents before children: the root by the rule of TerminateById, each
// descendant only while its identifier still belongs to the process that
// was gathered. Then waits up to kEndWaitMs in all for them to be gone. A
// member that had ended already counts as ended.
TreeEnd TerminateProcessTree(const ProcessTree &tree, const char *rootImageName,
                             ULONGLONG listTime);

#endif
