// The row selected when the dialog opens. People start Vantry because a
// program stopped answering: without a process on the command line, the
// first hung window's process is selected, ready for Delete.
#include "../process/hung_window.h"
#include "process_list_dialog.h"

void ProcessListDialog::SelectAtStart()
{
    if (selectAtStart) {
        SelectByPid(static_cast<int>(startProcessId));
        return;
    }
    HungWindow hung;
    if (!FindHungWindow(&hung))
        return;
    SelectByPid(static_cast<int>(hung.processId));
    // A full-screen program keeps the front of its monitor even when it
    // hangs: the dialog would open behind it.
    if (hung.coversMonitor)
        SetAlwaysOnTop(true);
}
