// Which processes the list offers to end.
#ifndef VANTRY_END_OFFER_H
#define VANTRY_END_OFFER_H

#include <windows.h>

enum EndScope {
    kEndAlone,       // the selected process, by itself
    kEndWithOthers,  // as a member of a tree or of the processes of one name
};

// Whether a process may be offered for ending. Never the idle process: it
// is no program, and nothing ends it. This program's own process only by
// itself, where the user asks for exactly that; never as one of many,
// since it stays to show the result.
bool MayOfferEnd(DWORD processId, EndScope scope);

// Whether a process has a program file to show or open: every one but the
// idle process, which is no program.
bool HasProgramFile(DWORD processId);

#endif
