// Text comparison without case: the list's sort, and the class names of
// windows.
#ifndef VANTRY_COMPARE_NO_CASE_H
#define VANTRY_COMPARE_NO_CASE_H

// Case-insensitive in the "C" locale's way: only A-Z fold, and bytes compare
// unsigned, so double-byte characters sort after every ASCII character.
// (Some runtimes' _stricmp compares the bytes signed.)
inline unsigned char FoldedByte(char byte)
{
    const unsigned char value = static_cast<unsigned char>(byte);
    return value >= 'A' && value <= 'Z' ? static_cast<unsigned char>(value - 'A' + 'a') : value;
}

// Returns -1, 0 or 1.
inline int CompareNoCase(const char *first, const char *second)
{
    for (;; ++first, ++second) {
        const unsigned char a = FoldedByte(*first);
        const unsigned char b = FoldedByte(*second);
        if (a != b)
            return a < b ? -1 : 1;
        if (a == '\0')
            return 0;
    }
}

#endif
