// A library planted next to Vantry.exe under the name of a system library
// (psapi.dll, wtsapi32.dll), as anyone who can write to a Downloads folder
// could. If the program ever loads it, its code runs at once and leaves a
// mark beside itself: "<library path>.ran".
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char mark[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameA(instance, mark, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return TRUE;
    lstrcatA(mark, ".ran");
    HANDLE file = CreateFileA(mark, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return TRUE;
}
