// Vantry's entry point and stack guard around a run of the test's own, built
// as Vantry is: "guard" exits with the low half of this run's cookie, and
// anything else overruns a guarded buffer by its length times eight.
#include <string.h>

#include "../../app/program.h"

extern "C" UINT_PTR __stack_chk_guard;

int RunVantry(HINSTANCE, const char *arguments)
{
    if (strcmp(arguments, "guard") == 0)
        return static_cast<int>(__stack_chk_guard);
    char buffer[8];
    memset(buffer, 'x', strlen(arguments) * 8);
    return buffer[7];
}
