// The finder where Wine cannot go: ghost windows, Store app frames and the
// shell's desktop, and a drag whose capture another window takes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../../process/window_process.h"
#include "../../res/resource.h"
#include "../support/dialog_runner.h"
#include "../support/message_box.h"
#include "../support/texts_cp932.h"
#include "fake_platform.h"

namespace {

std::string ProcessAt(HWND window)
{
    g_fake.windowAtPoint = window;
    DWORD id = 12345;
    const WindowProcess found = ProcessOfWindowAt(POINT{ 40, 40 }, &id);
    return found == kWindowProcessFound ? std::to_string(id)
                                        : found == kWindowProcessNone ? "none" : "unknown";
}

// A stand-in never counts as the system process that draws it (dwm.exe 90,
// ApplicationFrameHost.exe 80), and the desktop never as Explorer (1000).
TEST(WindowProcess, AWindowCountsAsTheProcessItStandsFor)
{
    ResetFake();
    HWND plain = AddFakeWindow("Notepad", 500);
    EXPECT_EQ("500", ProcessAt(AddFakeWindow("Edit", 500, plain)));
    HWND ghost = AddFakeWindow("Ghost", 90);
    EXPECT_EQ("unknown", ProcessAt(ghost));
    g_fake.windows.back().hung = plain;
    EXPECT_EQ("500", ProcessAt(ghost));
    g_fake.ghostCallMissing = true;
    EXPECT_EQ("unknown", ProcessAt(ghost));

    HWND frame = AddFakeWindow("ApplicationFrameWindow", 80);
    EXPECT_EQ("unknown", ProcessAt(AddFakeWindow("ApplicationFrameTitleBarWindow", 80, frame)));
    AddFakeWindow("Windows.UI.Core.CoreWindow", 600, frame);
    EXPECT_EQ("600", ProcessAt(frame));

    EXPECT_EQ("none", ProcessAt(NULL));
    EXPECT_EQ("none", ProcessAt(AddFakeWindow("#32769", 4)));
    EXPECT_EQ("none", ProcessAt(AddFakeWindow("Progman", 1000)));
    EXPECT_EQ("none", ProcessAt(AddFakeWindow("WorkerW", 1000)));
    EXPECT_EQ("700", ProcessAt(AddFakeWindow("WorkerW", 700)));
    EXPECT_EQ("none", ProcessAt(AddFakeWindow("Wine desktop", 0)));
}

// Another window takes the mouse in the middle of a drag: the selection
// from before comes back, and the release that follows does nothing.
TEST(FinderDrag, ALostCaptureCancelsTheDrag)
{
    ResetFake();
    AddFakeProcess(300, "Target.exe");
    AddFakeProcess(400, "Other.exe");
    g_fake.windowAtPoint = AddFakeWindow("Other", 400);
    DialogRunner runner;
    ASSERT_TRUE(runner.Start());
    HWND dialog = runner.Window();
    HWND list = runner.List();
    const int before = FindRowOfProcess(list, 300);
    ASSERT_TRUE(ClickRow(list, before));
    HWND finder = GetDlgItem(dialog, IDC_FINDER);
    // Its own state: the dialog itself may not show yet.
    auto finderShows = [&] { return (GetWindowLongA(finder, GWL_STYLE) & WS_VISIBLE) != 0; };
    RECT place;
    GetWindowRect(finder, &place);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT *>(&place), 2);
    const LPARAM onFinder = MAKELPARAM(place.left + 5, place.top + 5);
    const LPARAM outside = MAKELPARAM(-300, -20);

    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, onFinder);
    SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, outside);
    EXPECT_EQ(FindRowOfProcess(list, 400), SelectedRow(list));
    EXPECT_FALSE(finderShows());
    HWND thief = NULL;
    runner.Run([&] {
        thief = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
        SetCapture(thief);
    });
    EXPECT_EQ(before, SelectedRow(list));
    EXPECT_TRUE(finderShows());
    SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, outside);
    SendMessageA(dialog, WM_LBUTTONUP, 0, outside);
    EXPECT_EQ(before, SelectedRow(list));
    EXPECT_EQ(NULL, WaitForMessageBox(runner.ThreadId(), dialog, 300));
    runner.Run([&] { DestroyWindow(thief); });

    // Dropped on a ghost whose hung window cannot be told: the user is told.
    g_fake.windowAtPoint = AddFakeWindow("Ghost", 90);
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, onFinder);
    PostMessageA(dialog, WM_LBUTTONUP, 0, outside);
    HWND box = WaitForMessageBox(runner.ThreadId(), dialog);
    ASSERT_NE(static_cast<HWND>(NULL), box);
    EXPECT_EQ(CP932_FINDER_NOT_FOUND, MessageBoxText(box));
    EXPECT_EQ("Error", WindowTextOf(box));
    EXPECT_TRUE(ShowsExclamationIcon(box));
    EXPECT_EQ(dialog, GetWindow(box, GW_OWNER));
    PressButton(box, IDOK);
    runner.Stop();
}

}
