// Text from the system in UTF-16, turned into the list's own (ANSI) code
// page for its cells.
#ifndef VANTRY_LIST_TEXT_H
#define VANTRY_LIST_TEXT_H

#include <windows.h>

// Converts units UTF-16 units of text (-1: up to and with its terminator)
// into the list's code page, as every text of the list is converted: a
// character the code page lacks becomes "?", never a look-alike, since a
// name in other letters must not pass for a system file's. The bytes
// written into size bytes, or with converted NULL the bytes it needs; 0
// where it cannot be converted. Where lacking is given, it tells whether a
// character was lacking (never, where the code page is UTF-8).
int ToCodePage(const wchar_t *text, int units, char *converted, int size, BOOL *lacking = NULL);

// Converts text of any length with ToCodePage into size bytes at most (size
// no more than MAX_PATH), terminator included, cut where a character ends.
// Empty when the text cannot be converted. False when the text was cut.
bool ToListText(const wchar_t *text, char *converted, int size);

// Ends text, which fills size bytes at most with its terminator, with an
// ellipsis ("..." where the code page has none) in place of its last
// characters: the mark of a text cut to fit.
void MarkCut(char *text, int size);

// Copies text of the list's code page into size bytes, terminator included,
// cut where a character ends.
void CutListText(const char *text, char *cut, int size);

// Whether two names in the list's code page are the same, case ignored: A-Z
// fold, and a double-byte character compares whole, so that its second
// byte never folds as a letter would (in code page 932, "\x83\x41" and
// "\x83\x61" are two different katakana).
bool IsSameName(const char *first, const char *second);

#endif
