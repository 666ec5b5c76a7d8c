// Text comparison without case: the list's sort, and the class names of
// windows.
#ifndef VANTRY_COMPARE_NO_CASE_H
#define VANTRY_COMPARE_NO_CASE_H

// Case-insensitive in the "C" locale's way: only A-Z fold, and bytes compare
// unsigned, so double-byte characters sort after every ASCII character.
// (Some runtimes' _stricmp compares the bytes signed.) Returns -1, 0 or 1.
inline int CompareNoCase(const char *first, const char *second)
{
    for (;; ++first, ++second) {
        unsigned char a = static_cast<unsigned char>(*first);
        unsigned char b = static_cast<unsigned char>(*second);
        if (a >= 'A' && a <= 'Z')
            a = static_cast<unsigned char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = static_cast<unsigned char>(b - 'A' + 'a');
        if (a != b)
            return a < b ? -1 : 1;
        if (a == '\0')
            return 0;
    }
}

#endif
