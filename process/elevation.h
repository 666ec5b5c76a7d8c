#ifndef VANTRY_ELEVATION_H
#define VANTRY_ELEVATION_H

// Whether Windows says the program's own token is a limited one: an
// administrator's program started without the UAC prompt, or a standard
// account's. False where the question cannot be asked (Windows XP and
// Server 2003 know no elevation) and for an elevated token.
bool RunsNotElevated();

// Whether Windows says the token is elevated. False where the question
// cannot be asked, as above, and for a limited token.
bool RunsElevated();

#endif
