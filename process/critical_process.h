#ifndef VANTRY_CRITICAL_PROCESS_H
#define VANTRY_CRITICAL_PROCESS_H

#include <windows.h>

// Whether Windows marks the process as critical: ending it stops Windows at
// once (a bug check), losing every program's unsaved work. Asked on every
// Windows from XP SP3 on. False when the system cannot say: a process that
// will not open for the query, or a query that fails.
bool IsCriticalProcess(DWORD processId);

#endif
