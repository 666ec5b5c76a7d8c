// The program's run, from its entry point: the library search kept in the
// system folder before anything else, then the one dialog.
#ifndef VANTRY_PROGRAM_H
#define VANTRY_PROGRAM_H

#include <windows.h>

// Runs Vantry with the command line's arguments; answers the exit code: 0
// once the dialog has closed, 1 when it could not be shown.
int RunVantry(HINSTANCE instance, const char *arguments);

#endif
