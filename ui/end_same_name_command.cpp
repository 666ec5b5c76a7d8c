// The command that ends every process of the selected row's name, after one
// warning that counts them.
#include <string.h>

#include <windows.h>

#include "../process/list_text.h"
#include "list_cell.h"
#include "process_list_dialog.h"
#include "texts.h"

bool IsExactName(const char *imageName)
{
    // No file name holds a "?": the list shows one for a character its code
    // page lacks, and two different names may then read alike. ("?" is never
    // the second byte of a double-byte character.) A name that fills its
    // cell may have been cut, and two names may share the cut.
    return imageName[0] != '\0' && strchr(imageName, '?') == NULL &&
           strlen(imageName) < static_cast<size_t>(kNameChars - 2);
}

// The selected row first (one the command offers to end with others),
// then every other row of the same name, compared without case, in the
// list's order, each by its key. Only processes that may be ended with
// others are among them (this program's own stays to show the result).
void ProcessListDialog::GatherRowsNamed(const char *imageName, int selectedRow,
                                        ProcessGroup *group)
{
    group->count = 0;
    group->members[group->count++] = KeyOfRow(selectedRow);
    const int rows = static_cast<int>(SendMessageA(listWindow, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows && group->count < kMaxGroupProcesses; ++row) {
        char name[kNameChars];
        ReadListCell(listWindow, row, 1, name, kNameChars);
        const ProcessKey key = KeyOfRow(row);
        if (row != selectedRow && MayOfferEnd(key.id, kEndWithOthers) && IsSameName(name, imageName))
            group->members[group->count++] = key;
    }
    group->rowMembers = group->count;
}

void ProcessListDialog::EndSameNameCommand()
{
    const int row = SelectedRowToEnd(kEndWithOthers);
    if (row < 0)
        return;
    char imageName[kNameChars];
    ReadListCell(listWindow, row, 1, imageName, kNameChars);
    if (!IsExactName(imageName))
        return;
    ProcessGroup group;
    GatherRowsNamed(imageName, row, &group);
    EndGroup(group, imageName, TEXT_END_SAME_NAME_WARNING_FORMAT, group.count);
}
