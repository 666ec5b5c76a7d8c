// The process table read from the live system, with helper processes that
// the tests start and end.
#include <gtest/gtest.h>
#include <windows.h>

#include "../process/privilege.h"
#include "../ui/process_list_dialog.h"
#include "support/dialog_runner.h"
#include "support/helper_process.h"

namespace {

class ProcessTable : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(runner_.Start()); }
    void TearDown() override { runner_.Stop(); }

    int Rebuild()
    {
        int result = 0;
        runner_.Run([&] { result = g_mainDialog.RebuildProcessList(); });
        return result;
    }

    DialogRunner runner_;
};

TEST_F(ProcessTable, ListsEachHelperWithNamePathAndOwner)
{
    HelperProcess first, second;
    ASSERT_TRUE(first.Started() && second.Started());
    EXPECT_EQ(1, Rebuild());
    HWND list = runner_.List();
    for (const HelperProcess *helper : { &first, &second }) {
        const int row = FindRowOfProcess(list, helper->Id());
        ASSERT_GE(row, 0) << helper->Id();
        EXPECT_EQ(std::to_string(helper->Id()), CellText(list, row, 0));
        EXPECT_EQ("vantry_sleeper.exe", CellText(list, row, 1));
        EXPECT_EQ(0, lstrcmpiA(helper->Path().c_str(), CellText(list, row, 2).c_str()))
            << CellText(list, row, 2);
        EXPECT_EQ(CurrentUserName(), CellText(list, row, 3));
    }
    // This test program lists itself too.
    const int own = FindRowOfProcess(list, GetCurrentProcessId());
    ASSERT_GE(own, 0);
    EXPECT_EQ("vantry_tests.exe", CellText(list, own, 1));
}

TEST_F(ProcessTable, RowsComeInEnumerationOrderWithTheirPositionAsItemData)
{
    HelperProcess helper;
    Rebuild();
    HWND list = runner_.List();
    const int count = RowCount(list);
    ASSERT_GT(count, 1);
    for (int row = 0; row < count; ++row)
        ASSERT_EQ(row, RowItemData(list, row)) << row;
}

TEST_F(ProcessTable, AHelperThatEndedIsGoneAfterTheNextRebuild)
{
    HelperProcess helper;
    Rebuild();
    ASSERT_GE(FindRowOfProcess(runner_.List(), helper.Id()), 0);
    helper.End();
    Rebuild();
    EXPECT_EQ(-1, FindRowOfProcess(runner_.List(), helper.Id()));
}

TEST_F(ProcessTable, RebuildClearsTheSearchKeyAndLeavesTheDebugPrivilegeOff)
{
    g_mainDialog.lastKey = 'V';
    EXPECT_EQ(1, Rebuild());
    EXPECT_EQ(0, g_mainDialog.lastKey);
    EXPECT_FALSE(DebugPrivilegeEnabled());
}

TEST(Privilege, SwitchesTheDebugPrivilegeOnAndOffInTheRealToken)
{
    HANDLE token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
    EXPECT_EQ(1, SetPrivilege(token, "SeDebugPrivilege", TRUE));
    EXPECT_TRUE(DebugPrivilegeEnabled());
    EXPECT_EQ(1, SetPrivilege(token, "SeDebugPrivilege", TRUE));  // already on
    EXPECT_TRUE(DebugPrivilegeEnabled());
    EXPECT_EQ(1, SetPrivilege(token, "SeDebugPrivilege", FALSE));
    EXPECT_FALSE(DebugPrivilegeEnabled());
    EXPECT_EQ(0, SetPrivilege(token, "SeNoSuchPrivilege", TRUE));
    CloseHandle(token);
}

TEST(Privilege, ATokenOpenedOnlyForQueryCannotBeAdjusted)
{
    HANDLE token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    EXPECT_EQ(0, SetPrivilege(token, "SeDebugPrivilege", TRUE));
    EXPECT_FALSE(DebugPrivilegeEnabled());
    CloseHandle(token);
}

}
