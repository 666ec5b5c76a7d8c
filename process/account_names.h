// Account names by SID, each looked up once per rebuild of the list: on
// Windows every lookup is a call to the security service, and most rows
// share a handful of accounts.
#ifndef VANTRY_ACCOUNT_NAMES_H
#define VANTRY_ACCOUNT_NAMES_H

#include <windows.h>

// The account name's buffer, and the domain's, in characters.
const int kAccountNameChars = 200;
// Distinct accounts remembered; those beyond are looked up each time.
const int kRememberedAccounts = 32;

struct AccountNames {
    struct Account {
        BYTE sid[SECURITY_MAX_SID_SIZE];
        char name[kAccountNameChars];  // empty: the lookup failed
    } accounts[kRememberedAccounts];
    int count;
};

// Copies the account name (without its domain) of sid into name. False,
// with name empty, when the SID cannot be looked up; a failed lookup is
// remembered too.
bool LookUpAccountName(AccountNames *names, PSID sid, char (&name)[kAccountNameChars]);

#endif
