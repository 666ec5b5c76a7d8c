#include "command_line.h"

namespace {

const char kSwitch[] = "/select";
const int kMostDigits = 10;

const char *SkipSpaces(const char *at)
{
    while (*at == ' ')
        ++at;
    return at;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

}

const char *ArgumentsOf(const char *commandLine)
{
    const char *at = commandLine;
    bool quoted = false;
    for (; *at != '\0' && (quoted || !IsBlank(*at)); ++at) {
        if (*at == '"')
            quoted = !quoted;
    }
    while (IsBlank(*at))
        ++at;
    return at;
}

bool ParseSelectSwitch(const char *arguments, DWORD *processId)
{
    if (arguments == NULL)
        return false;
    for (int i = 0; kSwitch[i] != '\0'; ++i) {
        if (arguments[i] != kSwitch[i])
            return false;
    }
    const char *digits = arguments + sizeof(kSwitch) - 1;
    const char *at = SkipSpaces(digits);
    if (at == digits)
        return false;
    // Summed in 64 bits: ten digits can exceed 32 bits, never 64.
    ULONGLONG value = 0;
    int count = 0;
    for (; *at >= '0' && *at <= '9'; ++at, ++count) {
        if (count == kMostDigits)
            return false;
        value = value * 10 + static_cast<ULONGLONG>(*at - '0');
    }
    if (count == 0 || value > 0xFFFFFFFFu || *SkipSpaces(at) != '\0')
        return false;
    *processId = static_cast<DWORD>(value);
    return true;
}
