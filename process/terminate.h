#ifndef VANTRY_TERMINATE_H
#define VANTRY_TERMINATE_H

#include <windows.h>

// The end-process command reads the image name it confirms with the user
// into this many characters, terminator included; a longer name arrives cut.
const int kConfirmedNameChars = 100;

// Force-terminates a process with exit code 0xFFFFFFFF, holding the debug
// privilege only while the process is opened. When expectedImageName is a
// non-empty name, the process is ended only if it still has that image name:
// an identifier that was handed to a new process since the user saw the row
// must not end the newcomer. A name of at least kConfirmedNameChars - 2 bytes
// that is shorter than the process's real name was cut on the way and matches
// by its start. Returns 0 when the termination was issued, 13 on any failure
// before that.
int TerminateById(DWORD processId, const char *expectedImageName = NULL);

// Whether an opened process (query and read access) has the image name, by
// the rule above: true for no name or an empty one, false when the name
// cannot be read.
bool HasImageName(HANDLE process, const char *expectedImageName);

// TerminateById for a process known by its start rather than by its name:
// it is ended only while the identifier still belongs to the process that
// was started at that time. A process that has ended already counts as
// ended (0).
int TerminateIfStartedAt(DWORD processId, ULONGLONG created);

#endif
