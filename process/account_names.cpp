#include "account_names.h"

#include <string.h>

#include "platform_calls.h"

namespace {

// The account name of sid, without its domain, which is fetched and never shown.
bool LookUpOnce(PSID sid, char (&name)[kAccountNameChars])
{
    char domain[kAccountNameChars];
    DWORD nameLength = kAccountNameChars;
    DWORD domainLength = kAccountNameChars;
    SID_NAME_USE use;
    if (platform::LookupAccountSidA(NULL, sid, name, &nameLength, domain, &domainLength, &use))
        return true;
    name[0] = '\0';
    return false;
}

}

bool LookUpAccountName(AccountNames *names, PSID sid, char (&name)[kAccountNameChars])
{
    name[0] = '\0';
    if (sid == NULL || !IsValidSid(sid))
        return false;
    for (int i = 0; i < names->count; ++i) {
        AccountNames::Account &known = names->accounts[i];
        if (EqualSid(known.sid, sid)) {
            memcpy(name, known.name, sizeof(name));
            return name[0] != '\0';
        }
    }
    const bool found = LookUpOnce(sid, name);
    if (names->count < kRememberedAccounts &&
        CopySid(SECURITY_MAX_SID_SIZE, names->accounts[names->count].sid, sid)) {
        memcpy(names->accounts[names->count].name, name, sizeof(name));
        ++names->count;
    }
    return found;
}
