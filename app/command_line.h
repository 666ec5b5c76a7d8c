// The one thing the command line may say: which process to select once the
// list is shown. A restart as administrator passes it, so that the new
// window opens on the process the old one could not end.
#ifndef VANTRY_COMMAND_LINE_H
#define VANTRY_COMMAND_LINE_H

#include <windows.h>

// Reads "/select", one or more spaces, 1 to 10 decimal digits of a 32-bit
// value and nothing but spaces after them. Anything else (another switch,
// more text, a sign, a number out of range) leaves processId alone and
// returns false: the program then starts as without a command line.
bool ParseSelectSwitch(const char *arguments, DWORD *processId);

// The arguments of a whole command line, as WinMain would be handed them:
// what follows the program's name (quoted, or up to the first blank) and
// the blanks after it.
const char *ArgumentsOf(const char *commandLine);

#endif
