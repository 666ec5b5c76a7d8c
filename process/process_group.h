// Processes ended together after one warning: a process tree, or every
// process of one name. Each is opened and told to end, then all are waited
// for together.
#ifndef VANTRY_PROCESS_GROUP_H
#define VANTRY_PROCESS_GROUP_H

#include <windows.h>

#include "terminate.h"

// As many processes as the process table lists.
const int kMaxGroupProcesses = 1000;

struct ProcessGroup {
    // The selected row's process first.
    DWORD ids[kMaxGroupProcesses];
    // The first rowMembers stand for rows of the list: each is ended by the
    // rule of TerminateById, with the group's image name and the list's
    // time. The rest are known by when they were started, and each is ended
    // only while its identifier still names the process started then.
    ULONGLONG created[kMaxGroupProcesses];
    int rowMembers;
    int count;
};

// What became of a group's end.
struct GroupEnd {
    int failures;       // members that could not be ended, or are not gone yet
    EndResult reason;   // why, when they all failed alike; else kEndFailed
    bool selectedGone;  // the first member had ended before, by the row's rule
    bool anyDenied;     // access was denied to one at least
};

// Ends the members in their order, then waits up to kEndWaitMs in all for
// them to be gone. A member that had ended already counts as ended.
GroupEnd TerminateProcessGroup(const ProcessGroup &group, const char *imageName,
                               ULONGLONG listTime);

#endif
