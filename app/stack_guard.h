// The stack cookie the compiler's guarded functions check on their way out
// (-fstack-protector-strong): its value, its set-up and what a failed check
// does, here in place of the compiler's library, which brings stdio with it.
#ifndef VANTRY_STACK_GUARD_H
#define VANTRY_STACK_GUARD_H

#include <windows.h>

// The cookie, read by every guarded function on entry and on return.
extern "C" UINT_PTR __stack_chk_guard;

// Gives the cookie this run's value. Called first thing by the entry point,
// before any guarded function has stored the old value in its frame; neither
// may be guarded itself.
__attribute__((no_stack_protector)) void SetStackGuard();

#endif
