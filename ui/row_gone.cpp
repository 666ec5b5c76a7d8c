// The box for a row whose process is no longer the one the list showed.
#include <windows.h>

#include "process_list_dialog.h"
#include "texts.h"

// The list is read again at once, so that the user sees what runs now; the
// selection, gone with its process, is not carried over to a newcomer.
void ProcessListDialog::ReportRowGone()
{
    ShowFailure(TEXT_ROW_GONE);
    RebuildProcessList();
    SortList(sortColumn);
    SetFocus(listWindow);
}
