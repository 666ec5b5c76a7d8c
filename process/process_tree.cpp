#include "process_tree.h"

#include "platform_calls.h"
#include "process_identity.h"
#include "process_snapshot.h"

namespace {

// Each process's identifier and its parent's, as the snapshot shows them.
struct Snapshot {
    DWORD ids[kMaxGroupProcesses];
    DWORD parentIds[kMaxGroupProcesses];
    int count;
    // When it was taken: a child started later holds an identifier that
    // was handed on since.
    ULONGLONG time;
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
    // Read before the snapshot: a process started while it is taken may be
    // in it, and must count as later.
    snapshot->time = SystemTimeNow();
    HANDLE handle = TakeProcessSnapshot();
    if (handle == INVALID_HANDLE_VALUE)
        return;
    VisitProcessSnapshot(handle, AddToSnapshot, snapshot);
    platform::CloseHandle(handle);
}

// The start of a process that started between earliest and latest.
bool ReadStartWithin(DWORD processId, ULONGLONG earliest, ULONGLONG latest, ULONGLONG *created)
{
    RowIdentity identity;
    HANDLE process =
        OpenIdentifiedProcess(processId, earliest, latest, kAccessToQuery, &identity, created);
    if (process == NULL)
        return false;
    platform::CloseHandle(process);
    return true;
}

// The root's start, read only while it is still the process the user saw.
bool ReadRootStart(DWORD rootId, const char *rootImageName, ULONGLONG listTime,
                   ULONGLONG *created)
{
    RowIdentity identity;
    HANDLE process =
        OpenIdentifiedProcess(rootId, 0, listTime, kAccessToQuery, &identity, created);
    if (process == NULL)
        return false;
    const bool named = HasImageName(process, rootImageName);
    platform::CloseHandle(process);
    return named;
}

bool InTree(const ProcessGroup &tree, DWORD processId)
{
    for (int i = 0; i < tree.count; ++i) {
        if (tree.ids[i] == processId)
            return true;
    }
    return false;
}

// Adds the children of one member that started no earlier than it did and
// no later than the snapshot.
void AddChildren(const Snapshot &snapshot, int member, ProcessGroup *tree)
{
    const DWORD ownId = platform::GetCurrentProcessId();
    for (int i = 0; i < snapshot.count && tree->count < kMaxGroupProcesses; ++i) {
        const DWORD id = snapshot.ids[i];
        if (snapshot.parentIds[i] != tree->ids[member] || id == ownId || InTree(*tree, id))
            continue;
        ULONGLONG created;
        if (ReadStartWithin(id, tree->created[member], snapshot.time, &created)) {
            tree->ids[tree->count] = id;
            tree->created[tree->count] = created;
            ++tree->count;
        }
    }
}

}

void GatherProcessTree(DWORD rootId, const char *rootImageName, ULONGLONG listTime,
                       ProcessGroup *tree)
{
    tree->count = 0;
    if (rootId == platform::GetCurrentProcessId())
        return;
    tree->ids[0] = rootId;
    tree->count = 1;
    tree->rowMembers = 1;
    if (!ReadRootStart(rootId, rootImageName, listTime, &tree->created[0]))
        return;
    Snapshot snapshot;
    TakeSnapshot(&snapshot);
    // Members are added behind the one whose children are sought, so each
    // comes after its parent.
    for (int member = 0; member < tree->count; ++member)
        AddChildren(snapshot, member, tree);
}
