#ifndef VANTRY_CRITICAL_PROCESS_H
#define VANTRY_CRITICAL_PROCESS_H

#include <windows.h>

#include "process_identity.h"

// Whether Windows marks the process of key as critical: ending it stops
// Windows at once (a bug check), losing every program's unsaved work. Asked
// on every Windows from XP SP3 on. False when the system cannot say: a
// process that will not open for the query as the key's, or a query that
// fails.
bool IsCriticalProcess(const ProcessKey &key);

#endif
