#include "process_table.h"

#include <string.h>

#include <wtsapi32.h>

#include "list_text.h"
#include "platform_calls.h"
#include "privilege.h"
#include "process_module.h"
#include "process_path.h"
#include "snapshot_names.h"

namespace {

const DWORD kTokenInfoBytes = 800;

// What one reading of the table holds besides its records.
struct TableReading {
    // From the snapshot taken right after the enumeration, so that it names
    // the processes enumerated.
    SnapshotNames snapshotNames;
    // The terminal-services list of owners, fetched the first time a
    // process's token cannot be opened.
    bool sessionsFetched;
    WTS_PROCESS_INFOA *sessionEntries;
    DWORD sessionCount;
    AccountNames accounts;
};

void ClearRecord(ProcessRecord *record, DWORD processId)
{
    record->key.id = processId;
    record->key.created = kStartUnknown;
    record->name[0] = record->path[0] = record->owner[0] = '\0';
}

// The owner's SID in the terminal-services list, matched by identifier.
PSID SessionOwnerOf(TableReading *reading, DWORD processId)
{
    if (!reading->sessionsFetched) {
        reading->sessionsFetched = true;
        platform::WTSEnumerateProcessesA(WTS_CURRENT_SERVER_HANDLE, 0, 1, &reading->sessionEntries,
                                         &reading->sessionCount);
        if (reading->sessionEntries == NULL)
            reading->sessionCount = 0;
    }
    for (DWORD i = 0; i < reading->sessionCount; ++i) {
        if (reading->sessionEntries[i].ProcessId == processId)
            return reading->sessionEntries[i].pUserSid;
    }
    return NULL;
}

// The owner from the process's token, or for a process whose token cannot
// be opened from the terminal-services list.
void ReadOwner(TableReading *reading, HANDLE process, ProcessRecord *record)
{
    HANDLE token;
    if (!platform::OpenProcessToken(process, TOKEN_QUERY, &token)) {
        LookUpAccountName(&reading->accounts, SessionOwnerOf(reading, record->key.id),
                          record->owner);
        return;
    }
    DWORD info[kTokenInfoBytes / sizeof(DWORD)];
    DWORD length;
    if (platform::GetTokenInformation(token, TokenUser, info, kTokenInfoBytes, &length))
        LookUpAccountName(&reading->accounts, reinterpret_cast<TOKEN_USER *>(info)->User.Sid,
                          record->owner);
    platform::CloseHandle(token);
}

// The file as the kernel recorded it; on Windows XP, for a file on a device
// that no drive letter names, the loader list's path and name. True when
// the kernel named it.
bool ReadNameAndPath(HANDLE process, ProcessRecord *record)
{
    switch (ReadKernelImage(process, record->path, record->name)) {
    case kKernelPathRead:
        return true;
    case kKernelPathUnmapped:
        if (!ReadLoaderListImage(record->key, record->path, record->name))
            record->name[0] = record->path[0] = '\0';
        return false;
    default:
        record->name[0] = record->path[0] = '\0';
        return false;
    }
}

// The snapshot's name for a process the kernel did not name. Such a record
// shows no path: the loader list's claim must not stand beside another
// name. Where the snapshot has no name either, the loader list's stays.
void NameFromSnapshot(const TableReading &reading, int index, ProcessRecord *record)
{
    const char *name = SnapshotNameOf(reading.snapshotNames, index);
    if (name == NULL)
        return;
    memcpy(record->name, name, strlen(name) + 1);
    record->path[0] = '\0';
}

// One open of the process, and its key read on that handle: the record
// holds the facts of the process that held the identifier then, whatever
// the clock says. The idle process (0) has no file; a process that exited
// since the enumeration, or ended, holds the identifier alone; one that
// refuses to open is named by the snapshot.
void ReadProcessRecord(TableReading *reading, const DWORD *ids, int index, ProcessRecord *record)
{
    const DWORD processId = ids[index];
    ClearRecord(record, processId);
    if (processId == kIdleProcessId)
        return;
    HANDLE process = OpenProcessToRead(processId);
    if (process == NULL) {
        if (GetLastError() != ERROR_INVALID_PARAMETER)
            NameFromSnapshot(*reading, index, record);
        return;
    }
    ULONGLONG created;
    if (ReadProcessState(process, &created) == kProcessExited) {
        platform::CloseHandle(process);
        return;
    }
    record->key.created = created;
    const bool kernelNamed = ReadNameAndPath(process, record);
    ReadOwner(reading, process, record);
    platform::CloseHandle(process);
    if (!kernelNamed)
        NameFromSnapshot(*reading, index, record);
}

// Every record, with the debug privilege on throughout: an open that needs
// it for itself, made meanwhile (by the receiver too), leaves it on. False
// when the program's own token cannot be opened.
bool ReadRecords(const DWORD *ids, int count, TableReading *reading, ProcessTableReceiver *receiver)
{
    // Without the privilege fewer processes open, and that is all.
    HANDLE ownToken = BeginDebugPrivilege();
    if (ownToken == NULL)
        return false;
    receiver->TakeIdentifiers(ids, count);
    for (int i = 0; i < count; ++i) {
        ProcessRecord record;
        ReadProcessRecord(reading, ids, i, &record);
        receiver->TakeRecord(i, record);
    }
    EndDebugPrivilege(ownToken);
    return true;
}

}

bool ReadProcessTable(ProcessTableReceiver *receiver)
{
    DWORD ids[kMaxProcesses];
    DWORD bytes = 0;
    platform::EnumProcesses(ids, sizeof(ids), &bytes);
    const int count = static_cast<int>(bytes / sizeof(DWORD));
    TableReading reading;
    // Before the privilege is on, which it is only for the records.
    ReadSnapshotNames(ids, count, &reading.snapshotNames);
    reading.sessionsFetched = false;
    reading.sessionEntries = NULL;
    reading.sessionCount = 0;
    // The account table is large; only its count needs a start.
    reading.accounts.count = 0;
    const bool read = ReadRecords(ids, count, &reading, receiver);
    if (reading.sessionEntries != NULL)
        platform::WTSFreeMemory(reading.sessionEntries);
    return read;
}
