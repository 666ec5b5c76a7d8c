#ifndef VANTRY_TERMINATE_H
#define VANTRY_TERMINATE_H

#include <windows.h>

// The end-process command reads the image name it confirms with the user
// into this many characters, terminator included; a longer name arrives cut.
const int kConfirmedNameChars = 100;

// What became of an end.
enum EndResult {
    kEnded,      // the termination was issued
    kEndGone,    // the process of the row has ended: its identifier names
                 // no process any more, or one started after the list was read
    kEndFailed,
};

// Force-terminates the process of a row with exit code 0xFFFFFFFF, holding
// the debug privilege only while the process is opened. A row stands for the
// process that held its identifier when the list was read (listTime, a
// FILETIME count): one started later is another program and is not touched.
// When expectedImageName is a non-empty name, the process must also still
// have that image name. A name of at least kConfirmedNameChars - 2 bytes
// that is shorter than the process's real name was cut on the way and
// matches by its start.
EndResult TerminateById(DWORD processId, const char *expectedImageName, ULONGLONG listTime);

// Whether an opened process (query and read access) has the image name, by
// the rule above: true for no name or an empty one, false when the name
// cannot be read.
bool HasImageName(HANDLE process, const char *expectedImageName);

// TerminateById for a process known by its start rather than by its name:
// it is ended only while the identifier still belongs to the process that
// was started at that time; otherwise that process is gone.
EndResult TerminateIfStartedAt(DWORD processId, ULONGLONG created);

#endif
