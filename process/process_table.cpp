#include "process_table.h"

#include "list_text.h"
#include "platform_calls.h"
#include "privilege.h"
#include "process_identity.h"
#include "process_module.h"
#include "process_path.h"
#include "process_snapshot.h"

namespace {

const DWORD kTokenInfoBytes = 800;

void ClearRecord(ProcessRecord *record, DWORD processId)
{
    record->id = processId;
    record->name[0] = record->path[0] = record->owner[0] = '\0';
    record->created = 0;
    record->nameSource = kNameNone;
}

// The owner's SID in the terminal-services list, matched by identifier.
PSID SessionOwnerOf(ProcessTable *table, DWORD processId)
{
    if (!table->sessionsFetched) {
        table->sessionsFetched = true;
        platform::WTSEnumerateProcessesA(WTS_CURRENT_SERVER_HANDLE, 0, 1, &table->sessionEntries,
                                         &table->sessionCount);
        if (table->sessionEntries == NULL)
            table->sessionCount = 0;
    }
    for (DWORD i = 0; i < table->sessionCount; ++i) {
        if (table->sessionEntries[i].ProcessId == processId)
            return table->sessionEntries[i].pUserSid;
    }
    return NULL;
}

// The owner from the process's token, or for a process whose token cannot
// be opened from the terminal-services list.
void ReadOwner(ProcessTable *table, HANDLE process, ProcessRecord *record)
{
    HANDLE token;
    if (!platform::OpenProcessToken(process, TOKEN_QUERY, &token)) {
        LookUpAccountName(&table->accounts, SessionOwnerOf(table, record->id), record->owner);
        return;
    }
    DWORD info[kTokenInfoBytes / sizeof(DWORD)];
    DWORD length;
    if (platform::GetTokenInformation(token, TokenUser, info, kTokenInfoBytes, &length))
        LookUpAccountName(&table->accounts, reinterpret_cast<TOKEN_USER *>(info)->User.Sid,
                          record->owner);
    platform::CloseHandle(token);
}

// The file as the kernel recorded it; on Windows XP, for a file on a device
// that no drive letter names, the loader list's path, and its name until
// the snapshot gives one.
void ReadNameAndPath(const ProcessTable &table, HANDLE process, ProcessRecord *record)
{
    switch (ReadKernelImage(process, record->path, record->name)) {
    case kKernelPathRead:
        record->nameSource = kNameKernel;
        break;
    case kKernelPathUnmapped:
        if (ReadLoaderListImage(record->id, table.time, record->path, record->name) &&
            record->name[0] != '\0')
            record->nameSource = kNameLoaderList;
        break;
    default:
        break;
    }
}

struct SnapshotNaming {
    ProcessTable *table;
    void (*named)(int index, const char *name, void *context);
    void *context;
};

bool NameFromEntry(const PROCESSENTRY32W &entry, void *context)
{
    const SnapshotNaming &naming = *static_cast<SnapshotNaming *>(context);
    for (int i = 0; i < naming.table->count; ++i) {
        if (naming.table->wantsName[i] && naming.table->ids[i] == entry.th32ProcessID) {
            char name[MAX_PATH];
            ToListText(entry.szExeFile, name, MAX_PATH);
            if (name[0] != '\0')
                naming.named(i, name, naming.context);
        }
    }
    return true;
}

}

bool OpenProcessTable(ProcessTable *table)
{
    DWORD bytes = 0;
    table->time = SystemTimeNow();
    platform::EnumProcesses(table->ids, sizeof(table->ids), &bytes);
    table->count = static_cast<int>(bytes / sizeof(DWORD));
    // Without the privilege fewer processes open, and that is all.
    table->ownToken = BeginDebugPrivilege();
    if (table->ownToken == NULL)
        return false;
    // With the enumeration, so that it names the processes enumerated.
    table->snapshot = TakeProcessSnapshot();
    table->sessionsFetched = false;
    table->sessionEntries = NULL;
    table->sessionCount = 0;
    // The account table is large; only its count needs a start.
    table->accounts.count = 0;
    return true;
}

void ReadProcessRecord(ProcessTable *table, int index, ProcessRecord *record)
{
    ClearRecord(record, table->ids[index]);
    table->wantsName[index] = false;
    if (record->id == kIdleProcessId)
        return;
    RowIdentity identity;
    HANDLE process = OpenIdentifiedProcess(record->id, 0, table->time, kAccessToRead, &identity,
                                           &record->created);
    if (process == NULL) {
        // A newer process's facts never fill the record; one that refuses
        // is named by the snapshot.
        record->created = 0;
        table->wantsName[index] = identity == kRowProcessUnknown;
        return;
    }
    ReadNameAndPath(*table, process, record);
    ReadOwner(table, process, record);
    platform::CloseHandle(process);
    table->wantsName[index] = record->nameSource != kNameKernel;
}

void ReadSnapshotNames(ProcessTable *table, void (*named)(int index, const char *name, void *context),
                       void *context)
{
    bool any = false;
    for (int i = 0; i < table->count && !any; ++i)
        any = table->wantsName[i];
    if (!any || table->snapshot == INVALID_HANDLE_VALUE)
        return;
    SnapshotNaming naming = { table, named, context };
    VisitProcessSnapshot(table->snapshot, NameFromEntry, &naming);
}

void CloseProcessTable(ProcessTable *table)
{
    EndDebugPrivilege(table->ownToken);
    if (table->snapshot != INVALID_HANDLE_VALUE)
        platform::CloseHandle(table->snapshot);
    if (table->sessionEntries != NULL)
        platform::WTSFreeMemory(table->sessionEntries);
}
