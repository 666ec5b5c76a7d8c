// Program entry: one modal dialog owned by the desktop.
//
// Windows starts the program here, not in the C runtime's start-up code,
// whose work it does not need but for two parts, which it does itself: the
// stack cookie's value, set first, and the static initialisers (the dialog
// object's). It reads no argument vector or environment, allocates nothing,
// registers nothing to run at exit and keeps no thread-local data; the few C
// library calls it makes (msvcrt's comparisons and atoi) need no start-up
// code of the program's, since the library initialises itself when it loads.
#include <windows.h>

#include <type_traits>

#include "../ui/process_list_dialog.h"
#include "command_line.h"
#include "program.h"
#include "stack_guard.h"

// Both placed by the linker: the list of static initialisers (a -1 or a
// count, the initialisers, and a null), and the program's image.
extern "C" void (*__CTOR_LIST__[])();
extern "C" IMAGE_DOS_HEADER __ImageBase;

// No destructor runs: the process ends in ExitProcess, with nothing
// registered to run at exit.
static_assert(std::is_trivially_destructible<decltype(g_mainDialog)>::value,
              "the dialog object must need no destructor");

namespace {

// Last first, as the compiler's own start-up code runs them.
void RunStaticInitialisers()
{
    int count = 0;
    while (__CTOR_LIST__[count + 1] != NULL)
        ++count;
    for (; count > 0; --count)
        __CTOR_LIST__[count]();
}

}

// The 32-bit Windows loader calls the entry with the stack aligned to 4
// bytes only; the compiler's code expects 16. The entry is not guarded: it
// sets the cookie, and never returns to check one.
#ifdef __i386__
#define ALIGNS_STACK __attribute__((force_align_arg_pointer))
#else
#define ALIGNS_STACK
#endif
extern "C" ALIGNS_STACK __attribute__((noreturn, no_stack_protector)) void VantryStart()
{
    SetStackGuard();
    RunStaticInitialisers();
    ExitProcess(RunVantry(reinterpret_cast<HINSTANCE>(&__ImageBase), ArgumentsOf(GetCommandLineA())));
}
