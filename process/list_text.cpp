#include "list_text.h"

#include <string.h>

namespace {

// Copies text into size bytes, terminator included, without splitting a
// double-byte character, or in UTF-8 a character of several bytes.
void CopyCut(const char *text, char *copy, int size, bool utf8)
{
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
    memcpy(copy, text, length);
    copy[length] = '\0';
}

}

void ToListText(const wchar_t *text, char *converted, int size)
{
    // UTF-8 lacks no character, and takes neither the flag nor a default.
    const bool utf8 = GetACP() == CP_UTF8;
    // As much as three bytes a UTF-16 unit, where the code page is UTF-8.
    char whole[3 * MAX_PATH];
    if (WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, text, -1, whole,
                            sizeof(whole), utf8 ? NULL : "?", NULL) == 0)
        whole[0] = '\0';
    CopyCut(whole, converted, size, utf8);
}
