// A replacement for the window calls (process/window_calls.h): the windows
// on a screen the test describes, with the stand-ins Wine does not have.
#ifndef VANTRY_TEST_FAKE_WINDOWS_H
#define VANTRY_TEST_FAKE_WINDOWS_H

#include <windows.h>

#include <string>
#include <vector>

struct FakeWindow {
    HWND handle = NULL;
    HWND parent = NULL;  // NULL: a top-level window
    std::string className;
    DWORD processId = 0;
    HWND hung = NULL;    // what a ghost window stands for
};

struct FakeWindows {
    std::vector<FakeWindow> windows;
    HWND atPoint = NULL;  // what WindowFromPoint answers, wherever asked
    HWND desktop = NULL;
    HWND shell = NULL;    // Progman, of Explorer
    bool ghostCallMissing = false;
};

extern FakeWindows g_fakeWindows;

// The desktop and the shell's window, and nothing else.
void ResetFakeWindows();
HWND AddFakeWindow(const std::string &className, DWORD processId, HWND parent = NULL);

#endif
