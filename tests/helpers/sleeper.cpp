// A process for the tests to list, select and end: it only waits. It ends by
// itself after the number of seconds on its command line (default 300), so a
// run that fails halfway leaves nothing behind for long.
#include <stdlib.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    int seconds = atoi(commandLine);
    if (seconds <= 0)
        seconds = 300;
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 7;
}
