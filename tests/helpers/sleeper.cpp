// A process for the tests to list, select and end: it only waits. It ends by
// itself after the number of seconds on its command line (default 300), so a
// run that fails halfway leaves nothing behind for long.
//
// "window X Y TITLE" shows a window with that title at X, Y on the screen
// for 120 seconds; "hung X Y TITLE" shows it, then stops answering messages.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    char mode[8] = "", title[256] = "";
    int x = 0, y = 0;
    // The end-to-end test quotes every argument.
    if (sscanf(commandLine, "\"%7[a-z]\" \"%d\" \"%d\" \"%255[^\"]\"", mode, &x, &y, title) == 4) {
        CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 300, 150, NULL,
                        NULL, NULL, NULL);
        const bool hang = strcmp(mode, "hung") == 0;
        // Hung, it answers for its first second only.
        SetTimer(NULL, 0, hang ? 1000 : 120000, NULL);
        MSG message;
        while (GetMessageA(&message, NULL, 0, 0) > 0 && message.message != WM_TIMER)
            DispatchMessageA(&message);
        Sleep(hang ? 120000 : 0);
        return 7;
    }
    int seconds = atoi(commandLine);
    if (seconds <= 0)
        seconds = 300;
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 7;
}
