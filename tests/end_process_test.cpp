// Ending a real helper process through the dialog's end-process command,
// answering the real message boxes from the test.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "../process/process_identity.h"
#include "../process/terminate.h"
#include "../res/resource.h"
#include "../ui/process_list_dialog.h"
#include "support/dialog_runner.h"
#include "support/helper_process.h"
#include "support/message_box.h"
#include "support/texts_cp932.h"

namespace {

const DWORD kKilled = 0xFFFFFFFF;

class EndProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(helper_.Started());
        ASSERT_TRUE(runner_.Start());
        runner_.Run([] { g_mainDialog.RebuildProcessList(); });
    }
    void TearDown() override
    {
        runner_.Stop();
        EXPECT_FALSE(DebugPrivilegeEnabled());
    }

    // Selects the helper's row and asks to end it; returns the warning box.
    HWND AskToEndHelper()
    {
        const int row = FindRowOfProcess(runner_.List(), helper_.Id());
        EXPECT_GE(row, 0);
        return AskToEndRow(runner_, row);
    }

    // Returns once the dialog has finished handling what was posted.
    void Settle() { runner_.Run([] {}); }

    HelperProcess helper_;
    DialogRunner runner_;
};

TEST_F(EndProcess, YesEndsTheHelperAndRebuildsTheListUnsortedWithoutSelection)
{
    g_mainDialog.sortColumn = 2;
    g_mainDialog.sortDirection[2] = 1;
    HWND box = AskToEndHelper();
    ASSERT_TRUE(box != NULL);
    EXPECT_EQ(CP932_WARNING_CAPTION, WindowTextOf(box));
    EXPECT_EQ(Cp932Warning("vantry_sleeper.exe"), MessageBoxText(box));
    EXPECT_TRUE(HasButton(box, IDYES));
    EXPECT_TRUE(HasButton(box, IDNO));
    EXPECT_FALSE(HasButton(box, IDOK));
    EXPECT_TRUE(ShowsExclamationIcon(box));
    PressButton(box, IDYES);

    EXPECT_EQ(kKilled, helper_.WaitForExit());
    Settle();
    HWND list = runner_.List();
    EXPECT_EQ(-1, FindRowOfProcess(list, helper_.Id()));
    EXPECT_EQ(-1, SelectedRow(list));
    for (int row = 0; row < RowCount(list); ++row)
        ASSERT_EQ(row, RowItemData(list, row));  // enumeration order
    EXPECT_EQ(2, g_mainDialog.sortColumn);
    EXPECT_EQ(1, g_mainDialog.sortDirection[2]);
    EXPECT_TRUE(WaitForMessageBox(runner_.ThreadId(), runner_.Window(), 300) == NULL);
}

TEST_F(EndProcess, NoLeavesTheHelperAndTheListAlone)
{
    const int rowsBefore = RowCount(runner_.List());
    HWND box = AskToEndHelper();
    ASSERT_TRUE(box != NULL);
    const int selected = SelectedRow(runner_.List());
    PressButton(box, IDNO);
    Settle();
    EXPECT_TRUE(helper_.Running());
    EXPECT_EQ(rowsBefore, RowCount(runner_.List()));
    EXPECT_EQ(selected, SelectedRow(runner_.List()));
    EXPECT_EQ(selected, FindRowOfProcess(runner_.List(), helper_.Id()));
}

TEST_F(EndProcess, NothingHappensWithoutASelection)
{
    ASSERT_EQ(-1, SelectedRow(runner_.List()));
    runner_.PostCommand(IDOK);
    EXPECT_TRUE(WaitForMessageBox(runner_.ThreadId(), runner_.Window(), 500) == NULL);
    EXPECT_TRUE(helper_.Running());
}

TEST_F(EndProcess, AProcessThatEndedMeanwhileGivesTheEndedBoxAndARebuiltList)
{
    HWND box = AskToEndHelper();
    ASSERT_TRUE(box != NULL);
    helper_.EndAndRelease();
    PressButton(box, IDYES);

    HWND error = WaitForMessageBox(runner_.ThreadId(), runner_.Window());
    ASSERT_TRUE(error != NULL);
    EXPECT_EQ("Error", WindowTextOf(error));
    EXPECT_EQ(CP932_ROW_GONE, MessageBoxText(error));
    EXPECT_TRUE(HasButton(error, IDOK));
    EXPECT_TRUE(ShowsExclamationIcon(error));
    PressButton(error, IDOK);
    Settle();
    EXPECT_EQ(-1, FindRowOfProcess(runner_.List(), helper_.Id()));
}

TEST(EndRowProcess, EndsOnlyTheProcessThatStillHasTheConfirmedName)
{
    HelperProcess helper;
    ASSERT_TRUE(helper.Started());
    // As if the identifier now belonged to another program.
    EXPECT_EQ(kEndFailed, EndRowProcess(helper.Key(), "notepad.exe"));
    EXPECT_TRUE(helper.Running());
    EXPECT_FALSE(DebugPrivilegeEnabled());

    EXPECT_EQ(kEnded, EndRowProcess(helper.Key(), "VANTRY_SLEEPER.EXE"));
    EXPECT_EQ(kKilled, helper.WaitForExit());
    EXPECT_FALSE(DebugPrivilegeEnabled());

    // The identifier of a process that has ended.
    const ProcessKey ended = helper.Key();
    helper.EndAndRelease();
    EXPECT_EQ(kEndGone, EndRowProcess(ended, NULL));
    EXPECT_FALSE(DebugPrivilegeEnabled());
}

TEST(EndRowProcess, WithoutANameEndsWhateverHoldsTheIdentifier)
{
    HelperProcess helper("renamed_helper.exe");
    ASSERT_TRUE(helper.Started());
    EXPECT_EQ(kEnded, EndRowProcess(helper.Key(), NULL));
    EXPECT_EQ(kKilled, helper.WaitForExit());
    EXPECT_FALSE(DebugPrivilegeEnabled());
}

// The context menu's ends of many processes are greyed on this program's
// own row, which neither would end, and only there; the name's also where
// the list cannot show the name exactly ("?" for a character the code page
// lacks).
TEST_F(EndProcess, TheGroupEndsAreGreyedOnTheProgramsOwnRow)
{
    const auto greyed = [&](DWORD processId, UINT item) {
        ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), processId));
        PostMessageA(runner_.Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(runner_.List()),
                     MAKELPARAM(-1, -1));
        HWND menu = NULL;
        for (int i = 0; i < 500 && !IsWindowVisible(menu); ++i, Sleep(10))
            menu = FindWindowA("#32768", NULL);
        HMENU items = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
        const UINT state = GetMenuState(items, item, MF_BYCOMMAND);
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        for (int i = 0; i < 500 && IsWindowVisible(menu); ++i)
            Sleep(10);
        return std::string(state == static_cast<UINT>(-1) ? "missing"
                           : (state & MF_GRAYED) != 0 ? "greyed" : "enabled");
    };
    EXPECT_EQ("greyed", greyed(GetCurrentProcessId(), IDM_END_TREE));
    EXPECT_EQ("greyed", greyed(GetCurrentProcessId(), IDM_END_SAME_NAME));
    EXPECT_EQ("enabled", greyed(GetCurrentProcessId(), IDOK));
    EXPECT_EQ("enabled", greyed(helper_.Id(), IDM_END_TREE));
    EXPECT_EQ("enabled", greyed(helper_.Id(), IDM_END_SAME_NAME));
    const int row = FindRowOfProcess(runner_.List(), helper_.Id());
    runner_.Run([&] {
        char inexact[] = "zz_caf?.exe";
        LVITEMA cell;
        ZeroMemory(&cell, sizeof(cell));
        cell.iSubItem = 1;
        cell.pszText = inexact;
        SendMessageA(runner_.List(), LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    });
    EXPECT_EQ("greyed", greyed(helper_.Id(), IDM_END_SAME_NAME));
}

}
