// The dialog's display scale. Windows draws the dialog at the DPI of the
// monitor it is on (the manifest declares per-monitor awareness), so every
// pixel figure of the layout is a size at 96 DPI, scaled to that DPI.
#ifndef VANTRY_DISPLAY_SCALE_H
#define VANTRY_DISPLAY_SCALE_H

#include <windows.h>

const UINT kBaseDpi = 96;

// A figure at 96 DPI, at dpi.
inline int ScaleToDpi(int figure, UINT dpi)
{
    return MulDiv(figure, static_cast<int>(dpi), kBaseDpi);
}

// The DPI the window is drawn at now; 96 when the system cannot tell.
UINT WindowDpi(HWND window);
// The side of a small (caption) icon at dpi.
int SmallIconSize(UINT dpi);
// Leaves the dialog's size and its controls' places on a DPI change to the
// program, which lays them out itself; the dialog manager still gives the
// controls a font of the new size.
void KeepDialogLayoutOnDpiChange(HWND dialog);

#endif
