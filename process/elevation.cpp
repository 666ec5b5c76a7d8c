#include "elevation.h"

#include <windows.h>

#include "platform_calls.h"

namespace {

// False where Windows cannot answer.
bool AskElevated(bool *elevated)
{
    HANDLE token;
    if (!platform::OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    TOKEN_ELEVATION elevation;
    DWORD length = 0;
    const bool answered = platform::GetTokenInformation(token, TokenElevation, &elevation,
                                                        sizeof(elevation), &length) != FALSE;
    platform::CloseHandle(token);
    *elevated = answered && elevation.TokenIsElevated != 0;
    return answered;
}

}

bool RunsNotElevated()
{
    bool elevated;
    return AskElevated(&elevated) && !elevated;
}

bool RunsElevated()
{
    bool elevated;
    return AskElevated(&elevated) && elevated;
}
