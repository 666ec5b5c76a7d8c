#include "process_tree.h"

#include "platform_calls.h"
#include "privilege.h"
#include "process_identity.h"
#include "terminate.h"

namespace {

// Each process's identifier and its parent's, as the snapshot shows them.
struct Snapshot {
    DWORD ids[kMaxTreeProcesses];
    DWORD parentIds[kMaxTreeProcesses];
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
         more && snapshot->count < kMaxTreeProcesses;
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

bool InTree(const ProcessTree &tree, DWORD processId)
{
    for (int i = 0; i < tree.count; ++i) {
        if (tree.ids[i] == processId)
            return true;
    }
    return false;
}

// Adds the children of one member that started no earlier than it did and
// no later than the snapshot.
void AddChildren(const Snapshot &snapshot, int member, ProcessTree *tree)
{
    const DWORD ownId = platform::GetCurrentProcessId();
    for (int i = 0; i < snapshot.count && tree->count < kMaxTreeProcesses; ++i) {
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

// A member that is gone, or was gone before, is ended; the rest are counted,
// with their reason while they share one.
void CountResult(EndResult result, TreeEnd *end)
{
    if (result == kEnded || result == kEndGone)
        return;
    end->reason = end->failures == 0 || end->reason == result ? result : kEndFailed;
    ++end->failures;
}

// Opens a member and tells it to end: the handle to wait on, or NULL and
// why not (the root by the row's rule, the rest by their start).
HANDLE OpenMemberToldToEnd(const ProcessTree &tree, int member, const char *rootImageName,
                           ULONGLONG listTime, EndResult *result)
{
    HANDLE process =
        member == 0 ? OpenProcessOfRow(tree.ids[0], rootImageName, listTime, result)
                    : OpenProcessStartedAt(tree.ids[member], tree.created[member], result);
    if (process == NULL)
        return NULL;
    *result = IssueEnd(process);
    if (*result == kEnded)
        return process;
    platform::CloseHandle(process);
    return NULL;
}

}

void GatherProcessTree(DWORD rootId, const char *rootImageName, ULONGLONG listTime,
                       ProcessTree *tree)
{
    tree->count = 0;
    if (rootId == platform::GetCurrentProcessId())
        return;
    tree->ids[0] = rootId;
    tree->count = 1;
    if (!ReadRootStart(rootId, rootImageName, listTime, &tree->created[0]))
        return;
    Snapshot snapshot;
    TakeSnapshot(&snapshot);
    // Members are added behind the one whose children are sought, so each
    // comes after its parent.
    for (int member = 0; member < tree->count; ++member)
        AddChildren(snapshot, member, tree);
}

TreeEnd TerminateProcessTree(const ProcessTree &tree, const char *rootImageName,
                             ULONGLONG listTime)
{
    TreeEnd end = { 0, kEndFailed, false };
    HANDLE told[kMaxTreeProcesses];
    int toldCount = 0;
    for (int i = 0; i < tree.count; ++i) {
        EndResult result;
        HANDLE process = OpenMemberToldToEnd(tree, i, rootImageName, listTime, &result);
        if (process != NULL) {
            told[toldCount++] = process;
            continue;
        }
        if (result == kEndGone && i == 0)
            end.rootGone = true;
        CountResult(result, &end);
    }
    // One wait for them all: each member gets what is left of it.
    const DWORD start = platform::GetTickCount();
    for (int j = 0; j < toldCount; ++j) {
        const DWORD waited = platform::GetTickCount() - start;
        CountResult(WaitUntilGone(told[j], waited < kEndWaitMs ? kEndWaitMs - waited : 0), &end);
        platform::CloseHandle(told[j]);
    }
    return end;
}
