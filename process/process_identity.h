// Whether an opened process is still the one a row of the list stands for.
// An identifier is handed to a new process once the old one has ended, so a
// row means the process that held its identifier when the list was read.
#ifndef VANTRY_PROCESS_IDENTITY_H
#define VANTRY_PROCESS_IDENTITY_H

#include <windows.h>

// The system time now, as a FILETIME count: a rebuild notes it before it
// reads the process table.
ULONGLONG SystemTimeNow();

// When an opened process (query access) was started, as a FILETIME count.
bool ReadCreationTime(HANDLE process, ULONGLONG *created);

// Whether an opened process (query access) was started no later than time.
// A start that cannot be read counts as later: nothing is known of it.
bool StartedNoLaterThan(HANDLE process, ULONGLONG time);

#endif
