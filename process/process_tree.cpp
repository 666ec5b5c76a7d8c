#include "process_tree.h"

#include <winternl.h>

#include "end_offer.h"
#include "platform_calls.h"
#include "privilege.h"
#include "process_snapshot.h"

namespace {

// Each process's identifier and its parent's, as the snapshot shows them.
struct Snapshot {
    DWORD ids[kMaxGroupProcesses];
    DWORD parentIds[kMaxGroupProcesses];
    int count;
};

bool AddToSnapshot(const PROCESSENTRY32W &entry, void *context)
{
    Snapshot *snapshot = static_cast<Snapshot *>(context);
    snapshot->ids[snapshot->count] = entry.th32ProcessID;
    snapshot->parentIds[snapshot->count] = entry.th32ParentProcessID;
    return ++snapshot->count < kMaxGroupProcesses;
}

void TakeSnapshot(Snapshot *snapshot)
{
    snapshot->count = 0;
    HANDLE handle = TakeProcessSnapshot();
    if (handle == INVALID_HANDLE_VALUE)
        return;
    VisitProcessSnapshot(handle, AddToSnapshot, snapshot);
    platform::CloseHandle(handle);
}

// The root is still the process the user saw, by its key and its name.
bool RootIsTheRow(const ProcessKey &root, const char *rootImageName)
{
    RowIdentity identity;
    HANDLE process = OpenIdentifiedProcess(root, kAccessToQuery, &identity);
    if (process == NULL)
        return false;
    const bool named = HasImageName(process, root, rootImageName);
    platform::CloseHandle(process);
    return named;
}

// The parent the kernel recorded for an opened process, or 0.
DWORD ParentOf(HANDLE process)
{
    PROCESS_BASIC_INFORMATION info;
    if (platform::NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof(info),
                                            NULL) < 0)
        return 0;
    return static_cast<DWORD>(info.InheritedFromUniqueProcessId);
}

// The key of a child of parent: the process that holds the identifier now,
// running, whose parent the kernel says is parent's identifier and which
// started no earlier than parent (an older one is an orphan of an earlier
// holder of that identifier). Both starts are the kernel's.
bool ReadChildKey(DWORD childId, const ProcessKey &parent, ProcessKey *child)
{
    HANDLE process = OpenProcessForQuery(childId);
    if (process == NULL)
        return false;
    child->id = childId;
    const bool isChild = ReadProcessState(process, &child->created) == kProcessRunning &&
                         child->created != kStartUnknown && child->created >= parent.created &&
                         ParentOf(process) == parent.id;
    platform::CloseHandle(process);
    return isChild;
}

bool InTree(const ProcessGroup &tree, DWORD processId)
{
    for (int i = 0; i < tree.count; ++i) {
        if (tree.members[i].id == processId)
            return true;
    }
    return false;
}

// Adds the children of one member.
void AddChildren(const Snapshot &snapshot, int member, ProcessGroup *tree)
{
    for (int i = 0; i < snapshot.count && tree->count < kMaxGroupProcesses; ++i) {
        const DWORD id = snapshot.ids[i];
        if (snapshot.parentIds[i] != tree->members[member].id || !MayOfferEnd(id, kEndWithOthers) ||
            InTree(*tree, id))
            continue;
        if (ReadChildKey(id, tree->members[member], &tree->members[tree->count]))
            ++tree->count;
    }
}

}

void GatherProcessTree(const ProcessKey &root, const char *rootImageName, ProcessGroup *tree)
{
    tree->count = 0;
    if (!MayOfferEnd(root.id, kEndWithOthers))
        return;
    tree->members[0] = root;
    tree->count = 1;
    tree->rowMembers = 1;
    // The snapshot first: a root still the row's after it held its
    // identifier when it was taken, so the children it names are the
    // root's, not those of a newcomer that took the identifier since.
    Snapshot snapshot;
    TakeSnapshot(&snapshot);
    if (!RootIsTheRow(root, rootImageName))
        return;
    // Members are added behind the one whose children are sought, so each
    // comes after its parent.
    for (int member = 0; member < tree->count; ++member)
        AddChildren(snapshot, member, tree);
}
