// Processes ended together after one warning: a process tree, or every
// process of one name. Each is opened and told to end, then all are waited
// for together.
#ifndef VANTRY_PROCESS_GROUP_H
#define VANTRY_PROCESS_GROUP_H

#include <windows.h>

#include "process_identity.h"
#include "terminate.h"

// As many processes as the process table lists.
const int kMaxGroupProcesses = 1000;

struct ProcessGroup {
    // The selected row's process first. Each member is ended only while its
    // identifier still names the process of its key.
    ProcessKey members[kMaxGroupProcesses];
    // The first rowMembers stand for rows of the list: each must also still
    // have the group's image name, as for EndRowProcess.
    int rowMembers;
    int count;
};

// What became of a group's end.
struct GroupEnd {
    int failures;       // members that could not be ended, or are not gone yet
    EndResult reason;   // why, when they all failed alike; else kEndFailed
    bool selectedGone;  // the first member had ended before
    bool anyDenied;     // access was denied to one at least
};

// Ends the members in their order, then waits up to kEndWaitMs in all for
// them to be gone. A member that had ended already counts as ended.
GroupEnd TerminateProcessGroup(const ProcessGroup &group, const char *imageName);

#endif
