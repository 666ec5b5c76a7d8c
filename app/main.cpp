// Program entry: one modal dialog owned by the desktop.
#include <windows.h>

#include "program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int)
{
    return RunVantry(instance, arguments);
}
