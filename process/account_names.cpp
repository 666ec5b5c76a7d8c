#include "account_names.h"

#include <string.h>

#include "list_text.h"
#include "platform_calls.h"

namespace {

// The account name of sid, without its domain, which is fetched and never
// shown. Read in UTF-16 and converted as the file names are: an account
// named in other letters must not pass for a system account.
bool LookUpOnce(PSID sid, char (&name)[kAccountNameChars])
{
    wchar_t wideName[kAccountNameChars];
    wchar_t domain[kAccountNameChars];
    DWORD nameLength = kAccountNameChars;
    DWORD domainLength = kAccountNameChars;
    SID_NAME_USE use;
    name[0] = '\0';
    if (!platform::LookupAccountSidW(NULL, sid, wideName, &nameLength, domain, &domainLength, &use))
        return false;
    ToListText(wideName, name, kAccountNameChars);
    return name[0] != '\0';
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
