// The refresh command over the live process table.
#include <gtest/gtest.h>
#include <windows.h>

#include "../res/resource.h"
#include "../ui/process_list_dialog.h"
#include "support/dialog_runner.h"
#include "support/helper_process.h"

namespace {

TEST(Refresh, KeepsTheSortAndTheSelectedHelperUntilItEnds)
{
    HelperProcess helper("refresh_helper.exe");
    ASSERT_TRUE(helper.Started());
    DialogRunner runner;
    ASSERT_TRUE(runner.Start());
    HWND list = runner.List();
    runner.Run([] {
        g_mainDialog.SortByColumnClick(1);
        g_mainDialog.SortByColumnClick(1);  // descending by image name
    });
    ASSERT_TRUE(ClickRow(list, FindRowOfProcess(list, helper.Id())));

    runner.SendCommand(IDC_REFRESH);
    const int row = SelectedRow(list);
    ASSERT_GE(row, 0);
    EXPECT_EQ(row, FindRowOfProcess(list, helper.Id()));
    EXPECT_EQ(1, g_mainDialog.sortColumn);
    ASSERT_GT(RowCount(list), 2);  // the helper, this program, Wine's own
    for (int r = 1; r < RowCount(list); ++r)
        EXPECT_GE(lstrcmpiA(CellText(list, r - 1, 1).c_str(), CellText(list, r, 1).c_str()), 0);

    helper.EndAndRelease();
    runner.SendCommand(IDC_REFRESH);
    EXPECT_EQ(-1, SelectedRow(list));
    EXPECT_EQ(-1, FindRowOfProcess(list, helper.Id()));
    EXPECT_GE(FindRowOfProcess(list, GetCurrentProcessId()), 0);
    runner.Stop();
}

}
