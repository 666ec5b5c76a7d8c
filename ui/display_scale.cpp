#include "display_scale.h"

#include "../process/bound_call.h"

namespace {

// user32 has these from Windows 10 (1607 and 1703): they are looked up at
// run time so that the program still starts on older systems. Before 1703
// the process is system-DPI aware (per-monitor v2 or nothing), so there the
// system metrics and the window's device context already hold its DPI.
struct ScaleCalls {
    UINT(WINAPI *getDpiForWindow)(HWND);
    int(WINAPI *getSystemMetricsForDpi)(int, UINT);
    BOOL(WINAPI *setDialogDpiChangeBehavior)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS,
                                             DIALOG_DPI_CHANGE_BEHAVIORS);
};

ScaleCalls BindScaleCalls()
{
    ScaleCalls calls;
    HMODULE user32 = GetModuleHandleA("user32.dll");
    BindCall(user32, "GetDpiForWindow", calls.getDpiForWindow);
    BindCall(user32, "GetSystemMetricsForDpi", calls.getSystemMetricsForDpi);
    BindCall(user32, "SetDialogDpiChangeBehavior", calls.setDialogDpiChangeBehavior);
    return calls;
}

// Bound on first use, once. Only the dialog thread calls this, so the
// static needs no guard (and the program is built without one).
const ScaleCalls &Calls()
{
    static const ScaleCalls calls = BindScaleCalls();
    return calls;
}

UINT DeviceContextDpi(HWND window)
{
    HDC context = GetDC(window);
    if (context == NULL)
        return 0;
    const int dpi = GetDeviceCaps(context, LOGPIXELSX);
    ReleaseDC(window, context);
    return dpi > 0 ? static_cast<UINT>(dpi) : 0;
}

}

UINT WindowDpi(HWND window)
{
    UINT dpi = 0;
    if (Calls().getDpiForWindow != NULL)
        dpi = Calls().getDpiForWindow(window);
    if (dpi == 0)
        dpi = DeviceContextDpi(window);
    return dpi != 0 ? dpi : kBaseDpi;
}

int SmallIconSize(UINT dpi)
{
    int size = 0;
    if (Calls().getSystemMetricsForDpi != NULL)
        size = Calls().getSystemMetricsForDpi(SM_CXSMICON, dpi);
    return size > 0 ? size : ScaleToDpi(16, dpi);
}

// Without this, per-monitor v2 dialogs are resized and their controls moved
// by the dialog manager in dialog units, which would fight the layout.
void KeepDialogLayoutOnDpiChange(HWND dialog)
{
    const DIALOG_DPI_CHANGE_BEHAVIORS ours =
        static_cast<DIALOG_DPI_CHANGE_BEHAVIORS>(DDC_DISABLE_RESIZE | DDC_DISABLE_CONTROL_RELAYOUT);
    if (Calls().setDialogDpiChangeBehavior != NULL)
        Calls().setDialogDpiChangeBehavior(dialog, ours, ours);
}
