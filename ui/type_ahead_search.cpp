// Search on the image name, run on every key pressed in the list: letters
// typed in quick succession make a word, and the first name that begins
// with it is selected; a single letter, or one letter repeated, steps
// through the names that begin with it.
#include <string.h>

#include <windows.h>
#include <commctrl.h>

#include "list_cell.h"
#include "process_list_dialog.h"

namespace {

const int kSearchChars = 200;

// Only letters and digits have key codes equal to their characters on every
// keyboard layout; the codes of the other keys say nothing of the
// character they type there.
bool IsWordKey(char key)
{
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

// Shift, Ctrl and Alt type nothing by themselves: held down, they repeat
// while the user reaches for the letter they are held for.
bool IsModifierKey(char key)
{
    switch (static_cast<BYTE>(key)) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
        return true;
    default:
        return false;
    }
}

// Twice the double-click time: one second at Windows' default, and longer
// for a user who has slowed the double-click down and so wants more time
// between keys too.
DWORD WordInterval()
{
    return GetDoubleClickTime() * 2;
}

bool ImageNameStartsWith(HWND list, int row, const char *word, int length)
{
    char text[kSearchChars];
    ReadListCell(list, row, 1, text, kSearchChars);
    _strupr(text);
    // A row without an image name never matches.
    for (int i = 0; i < length; ++i) {
        if (text[i] != word[i])
            return false;
    }
    return text[0] != '\0';
}

// The first matching row of count rows, from first on and wrapping round,
// or -1.
int FindImageName(HWND list, int first, int count, const char *word, int length)
{
    for (int step = 0; step < count; ++step) {
        const int row = (first + step) % count;
        if (ImageNameStartsWith(list, row, word, length))
            return row;
    }
    return -1;
}

}

// A letter within the interval of the key before goes on with the word that
// key was part of; any other key ends the word, except Shift, held down for
// a capital. Every rebuild clears lastKey, and with it the word. The
// timing is that of the key messages, so that a busy moment of the
// dialog's own does not split a word the user typed in one go.
bool ProcessListDialog::AddToWord(char key)
{
    const DWORD time = static_cast<DWORD>(GetMessageTime());
    const bool goesOn = lastKey != 0 && time - wordTime < WordInterval();
    wordTime = time;
    if (key == VK_SHIFT && goesOn)
        return false;
    if (!goesOn || !IsWordKey(key))
        wordLength = 0;
    if (!IsWordKey(key))
        return false;
    // A word longer than the buffer goes on by its first letters: a name
    // that long is told from the others by them, and the selection stays.
    if (wordLength < static_cast<int>(sizeof(word)))
        word[wordLength++] = key;
    // One letter, alone or repeated, is no word: it steps through the names.
    for (int i = 0; i < wordLength; ++i) {
        if (word[i] != key)
            return true;
    }
    return false;
}

// A word selects the first name that begins with it, the selected row
// first, so that each letter typed narrows the choice. Where the word
// decides nothing, the key searches alone: the rows after the start come
// first and the start row itself last, so that pressing the same key again
// moves on and a single match stays selected; a new key starts as though
// row 0 were selected. The keys the input method takes (each arrives as
// VK_PROCESSKEY) and the modifiers search nothing and leave lastKey as it
// was, so that the letter after them steps on.
int ProcessListDialog::TypeAheadSearch(char key)
{
    if (static_cast<BYTE>(key) == VK_PROCESSKEY)
        return 1;
    const bool inWord = AddToWord(key);
    if (IsModifierKey(key))
        return 1;
    int start = SelectedRow();
    const int count = static_cast<int>(SendMessageA(listWindow, LVM_GETITEMCOUNT, 0, 0));
    int row = -1;
    if (inWord)
        row = FindImageName(listWindow, start < 0 ? 0 : start, count, word, wordLength);
    if (row < 0) {
        if (key != lastKey || start < 0)
            start = 0;
        row = FindImageName(listWindow, start + 1, count, &key, 1);
    }
    lastKey = key;
    if (row >= 0)
        SelectRow(row);
    return 1;
}
