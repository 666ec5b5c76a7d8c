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

#endif
