// Binding a call that is looked up at run time rather than imported.
#ifndef VANTRY_BOUND_CALL_H
#define VANTRY_BOUND_CALL_H

#include <windows.h>

// Sets function to the library's export of that name, or to NULL when the
// library or the export is missing. GetProcAddress answers a generic function
// pointer; the detour through void (*)() tells the compiler the conversion
// is meant.
template <typename Function>
void BindCall(HMODULE library, const char *name, Function &function)
{
    function = NULL;
    if (library != NULL)
        function = reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

#endif
