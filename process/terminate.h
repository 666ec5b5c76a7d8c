#ifndef VANTRY_TERMINATE_H
#define VANTRY_TERMINATE_H

#include <windows.h>

#include "process_identity.h"

// How long an end waits for its processes to be gone.
const DWORD kEndWaitMs = 5000;

// What became of an end, or why it did not happen.
enum EndResult {
    kEnded,         // the process was ended and is gone
    kEndGone,       // the process of the row had ended already: its identifier
                    // names no process any more, or another one
    kEndDenied,     // access denied: a limited token, or a protected process
    kEndLingering,  // told to end, and still there after the wait
    kEndFailed,     // any other reason
};

// Force-terminates the process of a row with exit code 0xFFFFFFFF and waits
// up to kEndWaitMs for it to be gone. The debug privilege is held only while
// the process is opened. A row stands for the process of its key (its
// identifier and start): another one under the identifier is another
// program and is not touched. When expectedImageName is a non-empty name
// (the row's whole cell), the process must also still have that image
// name, as the kernel recorded its file; a process that nothing but the
// process snapshot names is not ended (kEndFailed).
EndResult EndRowProcess(const ProcessKey &key, const char *expectedImageName);

// Whether an opened process (query access) of key has the image name, as
// the kernel names its file (on Windows XP, for a file on a device without
// a drive letter, its loader list) and the list converts it, case ignored:
// true for no name or an empty one; false where nothing names the file.
bool HasImageName(HANDLE process, const ProcessKey &key, const char *expectedImageName);

// The steps of EndRowProcess, for ending many processes and waiting for them
// together. The open returns the process of key opened for the end, by the
// rules above (no name: the key alone), or NULL with the reason in
// *refusal.
HANDLE OpenProcessToEnd(const ProcessKey &key, const char *expectedImageName, EndResult *refusal);
// Tells an opened process to end: kEnded once told (or ending already), or
// why it cannot be (kEndDenied where something guards it).
EndResult IssueEnd(HANDLE process);
// Waits at most that long for a process told to end: kEnded or kEndLingering.
EndResult WaitUntilGone(HANDLE process, DWORD milliseconds);

#endif
