// Restarting as administrator: Wine gives every program an elevated token,
// so the token's answer and the shell's come from the fake.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "../../process/critical_process.h"
#include "../../process/process_tree.h"
#include "../../res/resource.h"
#include "../../ui/process_list_dialog.h"
#include "../support/dialog_runner.h"
#include "../support/message_box.h"
#include "../support/texts_cp932.h"
#include "fake_platform.h"

namespace {

class RestartElevated : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFake();
        AddFakeProcess(300, "Target.exe").openFails = true;  // access denied
        g_fake.privilegeMissing = true;
        g_fake.ownElevation = FakePlatform::kNotElevated;
    }
    void TearDown() override
    {
        runner_.Stop();
        g_mainDialog.selectAtStart = false;
        EXPECT_TRUE(g_fake.openHandles.empty());
    }

    // Ends Target.exe with Yes; returns the box that follows.
    HWND FailToEnd()
    {
        EXPECT_TRUE(runner_.Start());
        HWND warning = AskToEndRow(runner_, FindRowOfProcess(runner_.List(), 300));
        if (warning != NULL)
            PressButton(warning, IDYES);
        return WaitForMessageBox(runner_.ThreadId(), runner_.Window());
    }
    HWND NextBox() { return WaitForMessageBox(runner_.ThreadId(), runner_.Window(), 500); }
    bool DialogEnds()
    {
        for (int i = 0; i < 250 && IsWindow(runner_.Window()); ++i)
            Sleep(20);
        return !IsWindow(runner_.Window());
    }
    // The window menu's last item, if it is the restart after a separator.
    std::string RestartItem()
    {
        char text[64] = "";
        runner_.Run([&] {
            HMENU menu = GetSystemMenu(runner_.Window(), FALSE);
            const int last = GetMenuItemCount(menu) - 1;
            if (GetMenuItemID(menu, last) == IDM_RESTART_ELEVATED &&
                (GetMenuState(menu, last - 1, MF_BYPOSITION) & MF_SEPARATOR))
                GetMenuStringA(menu, last, text, sizeof(text), MF_BYPOSITION);
        });
        return text;
    }

    DialogRunner runner_;
};

// Access denied: only a limited token gets the offer and the item; an
// elevated one is refused a protected process; Windows XP, which cannot
// say, gets the plain box. Neither gets the item.
TEST_F(RestartElevated, TheOfferAndTheMenuItemFollowTheToken)
{
    const FakePlatform::Elevation cases[] = { FakePlatform::kNotElevated, FakePlatform::kElevated,
                                              FakePlatform::kElevationQueryFails };
    for (FakePlatform::Elevation elevation : cases) {
        const bool offered = elevation == FakePlatform::kNotElevated;
        g_fake.ownElevation = elevation;
        HWND box = FailToEnd();
        ASSERT_TRUE(box != NULL) << elevation;
        EXPECT_EQ("Error", WindowTextOf(box));
        EXPECT_TRUE(ShowsExclamationIcon(box));
        const char *plain =
            elevation == FakePlatform::kElevated ? CP932_END_PROTECTED : CP932_END_FAILED;
        EXPECT_EQ(offered ? CP932_END_FAILED_OFFER_RESTART : plain, MessageBoxText(box));
        EXPECT_EQ(offered, HasButton(box, IDNO));
        PressButton(box, offered ? IDNO : IDOK);
        EXPECT_TRUE(NextBox() == NULL);
        EXPECT_TRUE(g_fake.shellExecutes.empty());
        EXPECT_EQ(offered ? CP932_MENU_RESTART_ELEVATED : "", RestartItem()) << elevation;
        runner_.Stop();
    }
}

// Queries need no privilege: a limited token still gets the stronger
// warning and the tree's count.
TEST_F(RestartElevated, ALimitedTokenStillAsksTheCriticalFlagAndGathersTheTree)
{
    g_fake.processes[0].openFails = false;
    g_fake.processes[0].critical = true;
    AddFakeProcess(301, "Child.exe").parentId = 300;
    EXPECT_TRUE(IsCriticalProcess({ 300, kFakeStart }));
    ProcessGroup tree;
    GatherProcessTree({ 300, kFakeStart }, "Target.exe", &tree);
    EXPECT_EQ(2, tree.count);
}

// Yes: the program's own path through "runas", told to select the process,
// owned by the dialog, which ends once the new one is started.
TEST_F(RestartElevated, YesStartsItAgainAsAdministratorAndEndsThisOne)
{
    HWND box = FailToEnd();
    ASSERT_TRUE(box != NULL);
    const HWND dialog = runner_.Window();
    PressButton(box, IDYES);
    EXPECT_TRUE(DialogEnds());
    ASSERT_EQ(1u, g_fake.shellExecutes.size());
    wchar_t ownPath[1024];
    GetModuleFileNameW(NULL, ownPath, 1024);
    EXPECT_EQ(L"runas", g_fake.shellExecutes[0].verb);
    EXPECT_EQ(std::wstring(ownPath), g_fake.shellExecutes[0].file);
    EXPECT_EQ(L"/select 300", g_fake.shellExecutes[0].parameters);
    EXPECT_EQ(dialog, g_fake.shellExecutes[0].owner);
    // Done before this process ends; the UAC prompt's refusal ours to tell.
    EXPECT_EQ(static_cast<ULONG>(SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI), g_fake.shellExecutes[0].mask);
}

// The UAC prompt cancelled: nothing more. Any other failure: the plain box.
TEST_F(RestartElevated, ACancelledPromptSaysNothingAndAFailureGivesThePlainBox)
{
    for (DWORD error : { ERROR_CANCELLED, ERROR_FILE_NOT_FOUND }) {
        g_fake.shellExecuteError = error;
        HWND box = FailToEnd();
        ASSERT_TRUE(box != NULL);
        PressButton(box, IDYES);
        HWND after = NextBox();
        EXPECT_EQ(error == ERROR_CANCELLED ? "" : CP932_END_FAILED,
                  after != NULL ? MessageBoxText(after) : "") << error;
        if (after != NULL)
            PressButton(after, IDOK);
        EXPECT_TRUE(IsWindow(runner_.Window()));
        runner_.Stop();
    }
}

// The menu item passes the selected process, and no /select without one;
// a failure is told.
TEST_F(RestartElevated, TheMenuItemRestartsWithTheSelectedProcess)
{
    g_fake.shellExecuteError = ERROR_ACCESS_DENIED;
    ASSERT_TRUE(runner_.Start());
    PostMessageA(runner_.Window(), WM_SYSCOMMAND, IDM_RESTART_ELEVATED, 0);
    HWND box = NextBox();
    ASSERT_TRUE(box != NULL);
    EXPECT_EQ(CP932_RESTART_FAILED, MessageBoxText(box));
    PressButton(box, IDOK);
    g_fake.shellExecuteError = 0;
    ASSERT_TRUE(ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), 300)));
    PostMessageA(runner_.Window(), WM_SYSCOMMAND, IDM_RESTART_ELEVATED, 0);
    EXPECT_TRUE(DialogEnds());
    ASSERT_EQ(2u, g_fake.shellExecutes.size());
    EXPECT_EQ(L"", g_fake.shellExecutes[0].parameters);
    EXPECT_EQ(L"/select 300", g_fake.shellExecutes[1].parameters);
}

// The process the command line names is selected, focused and in view;
// one that is not listed selects nothing.
TEST_F(RestartElevated, TheProcessNamedAtStartIsSelected)
{
    for (DWORD id = 1000; id < 1200; id += 4)
        AddFakeProcess(id, "Filler.exe");
    g_mainDialog.selectAtStart = true;
    for (DWORD id : { 1196, 301 }) {
        g_mainDialog.startProcessId = id;
        ASSERT_TRUE(runner_.Start());
        HWND list = runner_.List();
        const int row = FindRowOfProcess(list, id);
        EXPECT_EQ(row, SelectedRow(list));
        EXPECT_EQ(row < 0 ? 0u : static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED),
                  ListView_GetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED));
        const int top = ListView_GetTopIndex(list);
        EXPECT_TRUE(row < 0 || (row >= top && row < top + ListView_GetCountPerPage(list)));
        runner_.Stop();
    }
}

}
