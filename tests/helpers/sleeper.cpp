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

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER)
        PostQuitMessage(7);
    return DefWindowProcA(window, message, wParam, lParam);
}

int ShowWindowFor(const char *arguments, bool hang)
{
    int x = 0, y = 0, used = 0;
    sscanf(arguments, "%*s %d %d %n", &x, &y, &used);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "VantrySleeperWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, arguments + used,
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 300, 150, NULL, NULL,
                                  windowClass.hInstance, NULL);
    // Hung, it answers for its first second only.
    SetTimer(window, 1, hang ? 1000 : 120000, NULL);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    Sleep(hang ? 120000 : 0);
    return 7;
}

}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    // The end-to-end test quotes every argument.
    char arguments[512];
    int length = 0;
    for (const char *c = commandLine; *c != '\0' && length < 511; ++c) {
        if (*c != '"')
            arguments[length++] = *c;
    }
    while (length > 0 && arguments[length - 1] == ' ')
        --length;
    arguments[length] = '\0';
    if (strncmp(arguments, "window ", 7) == 0 || strncmp(arguments, "hung ", 5) == 0)
        return ShowWindowFor(arguments, arguments[0] == 'h');
    int seconds = atoi(commandLine);
    if (seconds <= 0)
        seconds = 300;
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 7;
}
