// The finder where Wine cannot go: ghost windows, Store app frames and the
// shell's desktop, and a drag whose capture another window takes.
#include <gtest/gtest.h>
#include <windows.h>

#include "../../process/window_process.h"
#include "../../res/resource.h"
#include "../support/dialog_runner.h"
#include "../support/message_box.h"
#include "../support/texts_cp932.h"
#include "fake_platform.h"
#include "fake_windows.h"

namespace {

struct Found {
    WindowProcess result;
    DWORD processId;
};

Found At(HWND window)
{
    g_fakeWindows.atPoint = window;
    Found found = { kWindowProcessFound, 12345 };
    const POINT point = { 40, 40 };
    found.result = ProcessOfWindowAt(point, &found.processId);
    return found;
}

#define EXPECT_FOUND(window, id)                       \
    do {                                               \
        const Found found = At(window);                \
        EXPECT_EQ(kWindowProcessFound, found.result);  \
        EXPECT_EQ(static_cast<DWORD>(id), found.processId); \
    } while (0)
#define EXPECT_NONE(window) EXPECT_EQ(kWindowProcessNone, At(window).result)
#define EXPECT_UNKNOWN(window) EXPECT_EQ(kWindowProcessUnknown, At(window).result)

// A stand-in never counts as the system process that draws it (dwm.exe 90,
// ApplicationFrameHost.exe 80), and the desktop never as Explorer.
TEST(WindowProcess, AWindowCountsAsTheProcessItStandsFor)
{
    ResetFakeWindows();
    HWND plain = AddFakeWindow("Notepad", 500);
    EXPECT_FOUND(AddFakeWindow("Edit", 500, plain), 500);

    HWND ghost = AddFakeWindow("Ghost", 90);
    EXPECT_UNKNOWN(ghost);
    g_fakeWindows.windows.back().hung = plain;
    EXPECT_FOUND(ghost, 500);
    g_fakeWindows.ghostCallMissing = true;
    EXPECT_UNKNOWN(ghost);

    HWND frame = AddFakeWindow("ApplicationFrameWindow", 80);
    EXPECT_UNKNOWN(AddFakeWindow("ApplicationFrameTitleBarWindow", 80, frame));
    AddFakeWindow("Windows.UI.Core.CoreWindow", 600, frame);
    EXPECT_FOUND(frame, 600);

    EXPECT_NONE(NULL);
    EXPECT_NONE(g_fakeWindows.desktop);
    EXPECT_NONE(g_fakeWindows.shell);
    EXPECT_NONE(AddFakeWindow("WorkerW", 1000));
    EXPECT_FOUND(AddFakeWindow("WorkerW", 700), 700);
    EXPECT_NONE(AddFakeWindow("Wine desktop", 0));
}

// Another window takes the mouse in the middle of a drag: the selection
// from before comes back, and the release that follows does nothing.
TEST(FinderDrag, ALostCaptureCancelsTheDrag)
{
    ResetFake();
    ResetFakeWindows();
    AddFakeProcess(300, "Target.exe");
    AddFakeProcess(400, "Other.exe");
    g_fakeWindows.atPoint = AddFakeWindow("Other", 400);
    DialogRunner runner;
    ASSERT_TRUE(runner.Start());
    HWND dialog = runner.Window();
    const int before = FindRowOfProcess(runner.List(), 300);
    ASSERT_TRUE(ClickRow(runner.List(), before));
    HWND finder = GetDlgItem(dialog, IDC_FINDER);
    RECT place;
    GetWindowRect(finder, &place);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT *>(&place), 2);
    const LPARAM onFinder = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    const LPARAM outside = MAKELPARAM(-300, -20);

    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, onFinder);
    SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, outside);
    EXPECT_EQ(FindRowOfProcess(runner.List(), 400), SelectedRow(runner.List()));
    EXPECT_FALSE(IsWindowVisible(finder));
    HWND thief = NULL;
    runner.Run([&] {
        thief = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
        SetCapture(thief);
    });
    EXPECT_EQ(before, SelectedRow(runner.List()));
    EXPECT_TRUE(IsWindowVisible(finder));
    SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, outside);
    SendMessageA(dialog, WM_LBUTTONUP, 0, outside);
    EXPECT_EQ(before, SelectedRow(runner.List()));
    EXPECT_EQ(NULL, WaitForMessageBox(runner.ThreadId(), dialog, 300));
    runner.Run([&] { DestroyWindow(thief); });

    // A ghost whose hung window cannot be told: the user is told, and the
    // selection stays.
    g_fakeWindows.atPoint = AddFakeWindow("Ghost", 90);
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, onFinder);
    PostMessageA(dialog, WM_LBUTTONUP, 0, outside);
    HWND box = WaitForMessageBox(runner.ThreadId(), dialog);
    ASSERT_NE(static_cast<HWND>(NULL), box);
    EXPECT_EQ(CP932_FINDER_NOT_FOUND, MessageBoxText(box));
    EXPECT_EQ("Error", WindowTextOf(box));
    EXPECT_EQ(dialog, GetWindow(box, GW_OWNER));
    PressButton(box, IDOK);
    EXPECT_EQ(before, SelectedRow(runner.List()));
    runner.Stop();
}

}
