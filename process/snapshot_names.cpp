#include "snapshot_names.h"

#include <string.h>

#include "list_text.h"
#include "process_snapshot.h"

namespace {

struct NameWalk {
    const DWORD *ids;
    int count;
    SnapshotNames *names;
};

// Keeps the entry's name for the enumerated identifier it belongs to.
bool KeepName(const PROCESSENTRY32W &entry, void *context)
{
    NameWalk &walk = *static_cast<NameWalk *>(context);
    for (int i = 0; i < walk.count; ++i) {
        if (walk.ids[i] != entry.th32ProcessID || walk.names->offsets[i] >= 0)
            continue;
        char name[MAX_PATH];
        ToListText(entry.szExeFile, name, MAX_PATH);
        const int length = static_cast<int>(strlen(name));
        SnapshotNames &names = *walk.names;
        if (length > 0 && names.used + length + 1 <= kSnapshotNameBytes) {
            memcpy(names.text + names.used, name, length + 1);
            names.offsets[i] = names.used;
            names.used += length + 1;
        }
        break;
    }
    return true;
}

}

void ReadSnapshotNames(const DWORD *ids, int count, SnapshotNames *names)
{
    for (int i = 0; i < count; ++i)
        names->offsets[i] = -1;
    names->used = 0;
    HANDLE snapshot = TakeProcessSnapshot();
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    NameWalk walk = { ids, count, names };
    VisitProcessSnapshot(snapshot, KeepName, &walk);
    platform::CloseHandle(snapshot);
}

const char *SnapshotNameOf(const SnapshotNames &names, int index)
{
    return names.offsets[index] >= 0 ? names.text + names.offsets[index] : NULL;
}
