// The wait cursor, shown while the window does not answer because the
// program is busy, and the cursor from before put back afterwards.
#ifndef VANTRY_WAIT_CURSOR_H
#define VANTRY_WAIT_CURSOR_H

#include <windows.h>

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(NULL, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }

private:
    WaitCursor(const WaitCursor &);
    WaitCursor &operator=(const WaitCursor &);

    HCURSOR previous_;
};

#endif
