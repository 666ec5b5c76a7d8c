// Vantry's entry point and stack guard around a run of the test's own, built
// as Vantry is: "guard" exits with the low half of this run's cookie, and
// anything else overruns a guarded buffer by its length times eight.
#include "../../app/program.h"
#include "../../app/stack_guard.h"

int RunVantry(HINSTANCE, const char *arguments)
{
    if (lstrcmpA(arguments, "guard") == 0)
        return static_cast<int>(__stack_chk_guard);
    char buffer[8];
    FillMemory(buffer, lstrlenA(arguments) * 8, 'x');
    return buffer[7];
}
