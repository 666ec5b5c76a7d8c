#include "stack_guard.h"

#include <windows.h>
#include <ntsecapi.h>

extern "C" {

UINT_PTR __stack_chk_guard;

// A guarded function's cookie was overwritten: its frame, and the return
// address in it, can no longer be trusted, so no more of the program's code
// may run, not even to report it. Windows 8 and later end the process
// through the kernel's fail-fast, which no exception handler can intercept;
// older systems end it by TerminateProcess, with the same code.
__attribute__((noreturn, no_stack_protector)) void __stack_chk_fail()
{
    if (IsProcessorFeaturePresent(PF_FASTFAIL_AVAILABLE))
        __asm__ volatile("int $0x29" : : "c"(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE));
    TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    __builtin_trap();
}

}

// The system's random generator (on every Windows since XP) gives the
// cookie whole. Should it not answer, the program still starts, with the
// best mix at hand, so that each run's cookie is at least another: the
// performance counter (ticks well under a microsecond), the time, the
// process identifier and the stack's place (moved by ASLR), spread over the
// whole word by an odd multiplier.
void SetStackGuard()
{
    UINT_PTR value;
    if (RtlGenRandom(&value, sizeof value)) {
        __stack_chk_guard = value;
        return;
    }
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    value = static_cast<UINT_PTR>(counter.QuadPart) ^ (static_cast<UINT_PTR>(now.dwLowDateTime) << 7) ^
            (static_cast<UINT_PTR>(GetCurrentProcessId()) << 16) ^ reinterpret_cast<UINT_PTR>(&now);
    __stack_chk_guard = value * static_cast<UINT_PTR>(0x9E3779B97F4A7C15ULL);
}
