// Restarting as administrator: the offer after an end that fails on a
// limited token, the window menu's item, and what the new Vantry is told.
// Wine gives every program an elevated token, so the token's answer and
// the shell's come from the fake.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

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
        AddFakeProcess(300, "Target.exe");
        g_fake.privilegeMissing = true;  // the limited token's lack
    }
    void TearDown() override
    {
        runner_.Stop();
        g_mainDialog.selectAtStart = false;
        EXPECT_TRUE(g_fake.openHandles.empty());
    }

    // Asks to end Target.exe, answers Yes, and returns the box that follows.
    HWND FailToEnd()
    {
        EXPECT_TRUE(runner_.Start());
        HWND warning = AskToEndRow(runner_, FindRowOfProcess(runner_.List(), 300));
        EXPECT_TRUE(warning != NULL);
        if (warning == NULL)
            return NULL;
        PressButton(warning, IDYES);
        return WaitForMessageBox(runner_.ThreadId(), runner_.Window());
    }

    bool DialogEnds()
    {
        for (int i = 0; i < 250 && IsWindow(runner_.Window()); ++i)
            Sleep(20);
        return !IsWindow(runner_.Window());
    }

    // The window menu's restart item, and whether a separator comes before it.
    std::string RestartItem(bool *separated)
    {
        std::string text;
        runner_.Run([&] {
            HMENU menu = GetSystemMenu(runner_.Window(), FALSE);
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                if (GetMenuItemID(menu, i) != IDM_RESTART_ELEVATED)
                    continue;
                char item[64] = "";
                GetMenuStringA(menu, i, item, sizeof(item), MF_BYPOSITION);
                text = item;
                *separated = i > 0 && (GetMenuState(menu, i - 1, MF_BYPOSITION) & MF_SEPARATOR);
            }
        });
        return text;
    }

    DialogRunner runner_;
};

// Only a token Windows calls limited gets the offer and the menu item; an
// elevated one, and Windows XP, which cannot say, get the plain box.
TEST_F(RestartElevated, TheOfferAndTheMenuItemFollowTheToken)
{
    const struct {
        FakePlatform::Elevation elevation;
        bool offered;
    } cases[] = {
        { FakePlatform::kNotElevated, true },
        { FakePlatform::kElevated, false },
        { FakePlatform::kElevationQueryFails, false },
    };
    for (const auto &test : cases) {
        g_fake.ownElevation = test.elevation;
        HWND box = FailToEnd();
        ASSERT_TRUE(box != NULL) << test.elevation;
        EXPECT_EQ("Error", WindowTextOf(box));
        EXPECT_TRUE(ShowsExclamationIcon(box));
        EXPECT_EQ(test.offered ? CP932_END_FAILED_OFFER_RESTART : CP932_END_FAILED,
                  MessageBoxText(box)) << test.elevation;
        EXPECT_EQ(test.offered, HasButton(box, IDYES) && HasButton(box, IDNO));
        PressButton(box, test.offered ? IDNO : IDOK);
        EXPECT_TRUE(WaitForMessageBox(runner_.ThreadId(), runner_.Window(), 300) == NULL);
        EXPECT_TRUE(g_fake.shellExecutes.empty());
        EXPECT_TRUE(IsWindow(runner_.Window()));

        bool separated = false;
        EXPECT_EQ(test.offered ? CP932_MENU_RESTART_ELEVATED : "", RestartItem(&separated));
        EXPECT_EQ(test.offered, separated);
        runner_.Stop();
    }
}

// Yes: the program's own path through "runas", told to select the process,
// from the dialog, which then ends; started before the shell call returns.
TEST_F(RestartElevated, YesStartsItAgainAsAdministratorAndEndsThisOne)
{
    g_fake.ownElevation = FakePlatform::kNotElevated;
    HWND box = FailToEnd();
    ASSERT_TRUE(box != NULL);
    const HWND dialog = runner_.Window();
    PressButton(box, IDYES);
    EXPECT_TRUE(DialogEnds());
    ASSERT_EQ(1u, g_fake.shellExecutes.size());
    const FakeShellExecute &call = g_fake.shellExecutes[0];
    wchar_t ownPath[1024];
    GetModuleFileNameW(NULL, ownPath, 1024);
    EXPECT_EQ(L"runas", call.verb);
    EXPECT_EQ(std::wstring(ownPath), call.file);
    EXPECT_EQ(L"/select 300", call.parameters);
    EXPECT_EQ(dialog, call.owner);
    EXPECT_NE(0u, call.mask & SEE_MASK_NOASYNC);
    EXPECT_EQ(0, runner_.Stop());
}

// The UAC prompt cancelled: nothing more. Any other failure: the plain box.
TEST_F(RestartElevated, ACancelledPromptSaysNothingAndAFailureGivesThePlainBox)
{
    g_fake.ownElevation = FakePlatform::kNotElevated;
    const DWORD errors[] = { ERROR_CANCELLED, ERROR_FILE_NOT_FOUND };
    for (DWORD error : errors) {
        g_fake.shellExecuteError = error;
        HWND box = FailToEnd();
        ASSERT_TRUE(box != NULL);
        PressButton(box, IDYES);
        HWND after = WaitForMessageBox(runner_.ThreadId(), runner_.Window(), 500);
        EXPECT_EQ(error != ERROR_CANCELLED, after != NULL) << error;
        if (after != NULL) {
            EXPECT_EQ(CP932_END_FAILED, MessageBoxText(after));
            EXPECT_FALSE(HasButton(after, IDYES));
            PressButton(after, IDOK);
        }
        EXPECT_TRUE(IsWindow(runner_.Window()));
        runner_.Stop();
    }
    EXPECT_EQ(2u, g_fake.shellExecutes.size());
}

// The menu item passes the selected process, and no /select without one.
TEST_F(RestartElevated, TheMenuItemRestartsWithTheSelectedProcess)
{
    g_fake.ownElevation = FakePlatform::kNotElevated;
    g_fake.shellExecuteError = ERROR_ACCESS_DENIED;
    ASSERT_TRUE(runner_.Start());
    PostMessageA(runner_.Window(), WM_SYSCOMMAND, IDM_RESTART_ELEVATED, 0);
    HWND box = WaitForMessageBox(runner_.ThreadId(), runner_.Window());
    ASSERT_TRUE(box != NULL);
    EXPECT_EQ(CP932_RESTART_FAILED, MessageBoxText(box));
    PressButton(box, IDOK);
    ASSERT_EQ(1u, g_fake.shellExecutes.size());
    EXPECT_EQ(L"", g_fake.shellExecutes[0].parameters);

    g_fake.shellExecuteError = 0;
    ASSERT_TRUE(ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), 300)));
    PostMessageA(runner_.Window(), WM_SYSCOMMAND, IDM_RESTART_ELEVATED, 0);
    EXPECT_TRUE(DialogEnds());
    ASSERT_EQ(2u, g_fake.shellExecutes.size());
    EXPECT_EQ(L"runas", g_fake.shellExecutes[1].verb);
    EXPECT_EQ(L"/select 300", g_fake.shellExecutes[1].parameters);
}

// The process the command line names is selected, focused and in view once
// the list is up; one that is not listed selects nothing.
TEST_F(RestartElevated, TheProcessNamedAtStartIsSelected)
{
    for (DWORD id = 1000; id < 1200; id += 4)
        AddFakeProcess(id, "Filler.exe");
    g_mainDialog.selectAtStart = true;
    g_mainDialog.startProcessId = 1196;
    ASSERT_TRUE(runner_.Start());
    const int row = FindRowOfProcess(runner_.List(), 1196);
    EXPECT_EQ(row, SelectedRow(runner_.List()));
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED),
              ListView_GetItemState(runner_.List(), row, LVIS_SELECTED | LVIS_FOCUSED));
    const int top = ListView_GetTopIndex(runner_.List());
    EXPECT_TRUE(row >= top && row < top + ListView_GetCountPerPage(runner_.List())) << top;
    runner_.Stop();

    g_mainDialog.startProcessId = 301;
    ASSERT_TRUE(runner_.Start());
    EXPECT_EQ(-1, SelectedRow(runner_.List()));
}

}
