// The end-process-tree command: the selected process and everything it
// started, after one warning for them all.
#include <windows.h>

#include "../process/process_tree.h"
#include "list_cell.h"
#include "process_list_dialog.h"
#include "texts.h"

void ProcessListDialog::EndTreeCommand()
{
    const int row = SelectedRowToEnd(kEndWithOthers);
    if (row < 0)
        return;

    char imageName[kNameChars];
    ReadListCell(listWindow, row, 1, imageName, kNameChars);

    // The warning counts what is ended: the tree as it stands now. The root
    // is ended first, so that it cannot start replacements, then parents
    // before children.
    ProcessGroup tree;
    GatherProcessTree(KeyOfRow(row), imageName, &tree);
    if (tree.count == 0)
        return;
    EndGroup(tree, imageName, TEXT_END_TREE_WARNING_FORMAT, tree.count - 1);
}
