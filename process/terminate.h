#ifndef VANTRY_TERMINATE_H
#define VANTRY_TERMINATE_H

#include <windows.h>

// How long an end waits for its processes to be gone.
const DWORD kEndWaitMs = 5000;

// What became of an end, or why it did not happen.
enum EndResult {
    kEnded,         // the process was ended and is gone
    kEndGone,       // the process of the row had ended already: its identifier
                    // names no process any more, or one started after the list
    kEndDenied,     // access denied: a limited token, or a protected process
    kEndLingering,  // told to end, and still there after the wait
    kEndFailed,     // any other reason
};

// Force-terminates the process of a row with exit code 0xFFFFFFFF and waits
// up to kEndWaitMs for it to be gone. The debug privilege is held only while
// the process is opened. A row stands for the process that held its
// identifier when the list was read (listTime, a FILETIME count): one
// started later is another program and is not touched. When
// expectedImageName is a non-empty name (the row's whole cell), the process
// must also still have that image name, as the kernel recorded its file.
EndResult TerminateById(DWORD processId, const char *expectedImageName, ULONGLONG listTime);

// Whether an opened process (query access) has the image name, as the
// kernel names its file and the list converts it, case ignored: true for no
// name or an empty one, and where the kernel's name cannot be read.
bool HasImageName(HANDLE process, const char *expectedImageName);

// The steps of TerminateById, for ending many processes and waiting for them
// together. Each open returns the process opened for the end, or NULL with
// the reason in *refusal: the process of a row by the rules above, or a
// process known by its start, which is gone once its identifier names
// another.
HANDLE OpenProcessOfRow(DWORD processId, const char *expectedImageName, ULONGLONG listTime,
                        EndResult *refusal);
HANDLE OpenProcessStartedAt(DWORD processId, ULONGLONG created, EndResult *refusal);
// Tells an opened process to end: kEnded once told (or ending already), or
// why it cannot be (kEndDenied where something guards it).
EndResult IssueEnd(HANDLE process);
// Waits at most that long for a process told to end: kEnded or kEndLingering.
EndResult WaitUntilGone(HANDLE process, DWORD milliseconds);

#endif
