#include "elevation.h"

#include <windows.h>

#include "platform_calls.h"

bool RunsNotElevated()
{
    HANDLE token;
    if (!platform::OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    TOKEN_ELEVATION elevation;
    DWORD length = 0;
    const bool answered = platform::GetTokenInformation(token, TokenElevation, &elevation,
                                                        sizeof(elevation), &length) != FALSE;
    platform::CloseHandle(token);
    return answered && elevation.TokenIsElevated == 0;
}
