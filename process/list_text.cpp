#include "list_text.h"

#include <string.h>

namespace {

// The bytes of text that fit into size bytes, terminator included, without
// splitting a double-byte character, or in UTF-8 a character of several
// bytes.
int FittingLength(const char *text, int size)
{
    const bool utf8 = GetACP() == CP_UTF8;
    int length = 0;
    while (text[length] != '\0') {
        const bool pair = IsDBCSLeadByte(static_cast<BYTE>(text[length])) && text[length + 1] != '\0';
        const int step = pair ? 2 : 1;
        if (length + step > size - 1)
            break;
        length += step;
    }
    while (utf8 && length > 0 && (static_cast<BYTE>(text[length]) & 0xC0) == 0x80)
        --length;
    return length;
}

}

void CutListText(const char *text, char *copy, int size)
{
    const int length = FittingLength(text, size);
    memcpy(copy, text, length);
    copy[length] = '\0';
}

namespace {

char FoldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The first units of text that can fill a cell: every unit gives a byte at
// least, so MAX_PATH - 1 of them are enough. A surrogate pair stays whole.
int LeadingUnits(const wchar_t *text)
{
    int units = 0;
    while (units < MAX_PATH - 1 && text[units] != L'\0')
        ++units;
    if (units == MAX_PATH - 1 && IS_HIGH_SURROGATE(text[units - 1]))
        --units;
    return units;
}

}

int ToCodePage(const wchar_t *text, int units, char *converted, int size, BOOL *lacking)
{
    // UTF-8 lacks no character, and takes neither the flag nor a default.
    const bool utf8 = GetACP() == CP_UTF8;
    if (lacking != NULL)
        *lacking = FALSE;
    return WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, text, units, converted, size,
                               utf8 ? NULL : "?", utf8 ? NULL : lacking);
}

bool ToListText(const wchar_t *text, char *converted, int size)
{
    // As much as three bytes a UTF-16 unit, where the code page is UTF-8.
    char whole[3 * MAX_PATH];
    const int units = LeadingUnits(text);
    const int length = units == 0 ? 0 : ToCodePage(text, units, whole, sizeof(whole) - 1);
    whole[length] = '\0';
    CutListText(whole, converted, size);
    return text[units] == L'\0' && length < size;
}

void MarkCut(char *text, int size)
{
    char mark[8];
    BOOL lacking;
    int length = ToCodePage(L"\x2026", 1, mark, sizeof(mark) - 1, &lacking);
    if (length == 0 || lacking) {
        memcpy(mark, "...", 3);
        length = 3;
    }
    mark[length] = '\0';
    memcpy(text + FittingLength(text, size - length), mark, length + 1);
}

bool IsSameName(const char *first, const char *second)
{
    for (; *first != '\0'; ++first, ++second) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*first)) && first[1] != '\0') {
            if (first[0] != second[0] || first[1] != second[1])
                return false;
            ++first;
            ++second;
        } else if (FoldCase(*first) != FoldCase(*second)) {
            return false;
        }
    }
    return *second == '\0';
}
