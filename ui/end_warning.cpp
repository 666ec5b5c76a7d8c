// The warning before every end: the name, for a group its count, and for a
// critical process the note that Windows stops, with No as the default.
#include <windows.h>

#include "../process/list_text.h"
#include "process_list_dialog.h"
#include "texts.h"

namespace {

// The warning names at most 99 bytes of the name, cut where a character
// ends; the end itself checks the whole name.
const int kShownNameChars = 100;
// The name, the longest format with its count, and the critical note.
const int kWarningChars = kShownNameChars + 11 + sizeof(TEXT_END_SAME_NAME_WARNING_FORMAT
                                                            TEXT_END_TREE_WARNING_FORMAT
                                                            TEXT_END_CRITICAL_NOTE);

}

// Ending a critical process stops Windows itself: the warning says so, and
// No becomes the default, so that a hurried Enter ends nothing. A format of
// NULL is the warning for one process, whose text is kept here alone.
bool ProcessListDialog::ConfirmEnd(const char *format, const char *imageName, int number,
                                   bool critical)
{
    char shownName[kShownNameChars];
    CutListText(imageName, shownName, kShownNameChars);
    char warning[kWarningChars];
    const int length =
        wsprintfA(warning, format != NULL ? format : TEXT_END_WARNING_FORMAT, shownName, number);
    if (critical)
        wsprintfA(warning + length, "%s", TEXT_END_CRITICAL_NOTE);
    return MessageBoxA(dialogWindow.handle, warning, TEXT_END_WARNING_CAPTION,
                       MB_YESNO | MB_ICONEXCLAMATION | (critical ? MB_DEFBUTTON2 : 0)) == IDYES;
}
