// The list's new commands under faults Wine does not produce: the clipboard
// held by another program, both ways of opening a folder failing; and the
// wait cursor while the table is read.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../../res/resource.h"
#include "../../ui/process_list_dialog.h"
#include "../support/dialog_runner.h"
#include "../support/message_box.h"
#include "../support/texts_cp932.h"
#include "fake_platform.h"

namespace {

class ListCommandFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFake();
        AddFakeProcess(300, "Target.exe").path = "C:\\Tools\\Target.exe";
        ASSERT_TRUE(runner_.Start());
        ASSERT_TRUE(ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), 300)));
    }
    void TearDown() override
    {
        runner_.Stop();
        EXPECT_TRUE(g_fake.openHandles.empty());
    }

    // What the clipboard holds as code page text; "" when it holds none.
    static std::string ClipboardText()
    {
        std::string text;
        if (!OpenClipboard(NULL))
            return "(the clipboard would not open)";
        HANDLE data = GetClipboardData(CF_TEXT);
        const char *bytes = data != NULL ? static_cast<const char *>(GlobalLock(data)) : NULL;
        if (bytes != NULL) {
            text = bytes;
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }

    DialogRunner runner_;
};

// Another program holds the clipboard: five attempts, then nothing is
// copied and nothing is said; a clipboard free on the fifth takes the row.
TEST_F(ListCommandFaults, AHeldClipboardIsTriedFiveTimesThenLeftAlone)
{
    ASSERT_TRUE(OpenClipboard(NULL) && EmptyClipboard() && CloseClipboard());
    g_fake.clipboardHeldFor = 5;
    runner_.SendCommand(IDM_COPY);
    EXPECT_EQ(5, g_fake.clipboardOpenAttempts);
    EXPECT_EQ("", ClipboardText());
    EXPECT_EQ(NULL, WaitForMessageBox(runner_.ThreadId(), runner_.Window(), 300));

    g_fake.clipboardHeldFor = 4;
    g_fake.clipboardOpenAttempts = 0;
    runner_.SendCommand(IDM_COPY);
    EXPECT_EQ(5, g_fake.clipboardOpenAttempts);
    EXPECT_EQ("300\tTarget.exe\tC:\\Tools\\Target.exe\talice\r\n", ClipboardText());
}

// The shell cannot open the folder: Explorer is started by its full path in
// the Windows folder, its handles closed.
TEST_F(ListCommandFaults, WithoutTheShellExplorerIsStartedByItsFullPath)
{
    g_fake.shellSelectFails = true;
    runner_.SendCommand(IDM_OPEN_LOCATION);
    char windows[MAX_PATH];
    GetSystemWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(std::string(windows) + "\\explorer.exe", g_fake.explorerApplication);
    EXPECT_EQ("explorer.exe /select,\"C:\\Tools\\Target.exe\"", g_fake.explorerCommandLine);
    EXPECT_EQ(NULL, WaitForMessageBox(runner_.ThreadId(), runner_.Window(), 300));
}

TEST_F(ListCommandFaults, WhenBothWaysFailTheUserIsTold)
{
    g_fake.shellSelectFails = true;
    g_fake.explorerStartFails = true;
    runner_.PostCommand(IDM_OPEN_LOCATION);
    HWND box = WaitForMessageBox(runner_.ThreadId(), runner_.Window());
    ASSERT_NE(static_cast<HWND>(NULL), box);
    EXPECT_EQ("Error", WindowTextOf(box));
    EXPECT_EQ(CP932_OPEN_LOCATION_FAILED, MessageBoxText(box));
    EXPECT_EQ(runner_.Window(), GetWindow(box, GW_OWNER));
    PressButton(box, IDOK);
    EXPECT_EQ(1, g_fake.shellSelections);
}

TEST_F(ListCommandFaults, TheWaitCursorShowsWhileTheTableIsRead)
{
    HCURSOR wait = LoadCursorA(NULL, IDC_WAIT);
    HCURSOR after = NULL;
    runner_.Run([&] {
        SetCursor(LoadCursorA(NULL, IDC_ARROW));
        g_mainDialog.RebuildProcessList();
        after = GetCursor();
    });
    EXPECT_EQ(wait, g_fake.cursorWhileEnumerating);
    EXPECT_NE(wait, after);
}

}
