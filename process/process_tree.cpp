#include "process_tree.h"

#include "platform_calls.h"
#include "privilege.h"
#include "process_identity.h"

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

void TakeSnapshot(Snapshot *snapshot)
{
    snapshot->count = 0;
    // Read before the snapshot: a process started while it is taken may be
    // in it, and must count as later.
    snapshot->time = SystemTimeNow();
    HANDLE handle = platform::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = platform::Process32FirstW(handle, &entry);
         more && snapshot->count < kMaxGroupProcesses;
         more = platform::Process32NextW(handle, &entry)) {
        snapshot->ids[snapshot->count] = entry.th32ProcessID;
        snapshot->parentIds[snapshot->count] = entry.th32ParentProcessID;
        ++snapshot->count;
    }
    platform::CloseHandle(handle);
}

bool ReadStart(DWORD processId, ULONGLONG *created)
{
    HANDLE process = OpenProcessForQuery(processId);
    if (process == NULL)
        return false;
    const bool read = ReadCreationTime(process, created);
    platform::CloseHandle(process);
    return read;
}

// The root's start, read only while it is still the process the user saw.
bool ReadRootStart(DWORD rootId, const char *rootImageName, ULONGLONG listTime,
                   ULONGLONG *created)
{
    HANDLE process = OpenProcessForQuery(rootId);
    if (process == NULL)
        return false;
    const bool read = HasImageName(process, rootImageName) && ReadCreationTime(process, created) &&
                      *created <= listTime;
    platform::CloseHandle(process);
    return read;
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
        if (ReadStart(id, &created) && created >= tree->created[member] &&
            created <= snapshot.time) {
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
