// Vantry's entry point and stack guard around a run of the test's own, built
// as Vantry is, with the system's random generator stood in for: "fallback"
// finds it failing, and any other run gets a pattern of 0x5A bytes. "smash"
// overruns a guarded buffer; anything else exits with the low half of this
// run's cookie.
#include "../../app/command_line.h"
#include "../../app/program.h"
#include "../../app/stack_guard.h"

extern "C" BOOLEAN WINAPI SystemFunction036(PVOID buffer, ULONG length)
{
    FillMemory(buffer, length, 0x5A);
    return lstrcmpA(ArgumentsOf(GetCommandLineA()), "fallback") != 0;
}

int RunVantry(HINSTANCE, const char *arguments)
{
    if (lstrcmpA(arguments, "smash") != 0)
        return static_cast<int>(__stack_chk_guard);
    char buffer[8];
    FillMemory(buffer, lstrlenA(arguments) * 8, 'x');
    return buffer[7];
}
