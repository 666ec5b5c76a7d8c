// The window that stopped answering, which Vantry selects at start-up.
#ifndef VANTRY_HUNG_WINDOW_H
#define VANTRY_HUNG_WINDOW_H

#include <windows.h>

struct HungWindow {
    HWND window;  // the top-level window on the screen (a ghost, for one)
    DWORD processId;
    bool coversMonitor;  // a full-screen program: the dialog would open behind it
};

// The first visible top-level window from the top of the z-order whose
// window (for a ghost, the hung window it stands for) Windows counts as
// hung, by the rules of window_process.h; false when none is. One pass over
// the windows, and no message sent to any of them, so a hung window cannot
// stall the start-up.
bool FindHungWindow(HungWindow *found);

#endif
