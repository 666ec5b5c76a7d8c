#include "process_snapshot.h"

#include "platform_calls.h"

void VisitProcessSnapshot(HANDLE snapshot,
                          bool (*visit)(const PROCESSENTRY32W &entry, void *context),
                          void *context)
{
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = platform::Process32FirstW(snapshot, &entry); more && visit(entry, context);
         more = platform::Process32NextW(snapshot, &entry)) {
    }
}
