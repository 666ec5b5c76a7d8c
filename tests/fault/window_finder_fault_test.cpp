// The finder where Wine cannot go: ghost windows, Store app frames and the
// shell's desktop, a drag whose capture another window takes, and the hung
// window selected at start.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../../process/window_process.h"
#include "../../res/resource.h"
#include "../../ui/process_list_dialog.h"
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

// A press on the finder, once the dialog is in front and has read what the
// X server sent it. Wine's X driver sends WM_CANCELMODE to the window in
// front when the X focus leaves it, and the dialog then lets the capture go,
// which ends a drag. The X server's word of a focus change (a message box
// that came and went) reaches the dialog's thread only when it next reads
// its X events: read late, on a busy machine, the news of a focus long back
// would end the next drag, which this test presses on purpose right after.
void PressFinder(DialogRunner &runner, LPARAM where)
{
    for (int i = 0; i < 250 && GetForegroundWindow() != runner.Window(); ++i)
        Sleep(20);
    runner.Run([] {
        MSG pending;
        PeekMessageA(&pending, NULL, 0, 0, PM_NOREMOVE);
    });
    SendMessageA(runner.Window(), WM_LBUTTONDOWN, MK_LBUTTON, where);
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

    PressFinder(runner, onFinder);
    SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, outside);
    EXPECT_EQ(FindRowOfProcess(list, 400), SelectedRow(list));
    EXPECT_FALSE(finderShows());
    HWND thief = NULL, captured = NULL;
    runner.Run([&] {
        captured = GetCapture();
        thief = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
        SetCapture(thief);
    });
    ASSERT_EQ(dialog, captured) << "the drag lost the capture before the other window took it";
    EXPECT_EQ(before, SelectedRow(list));
    EXPECT_TRUE(finderShows());
    SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, outside);
    SendMessageA(dialog, WM_LBUTTONUP, 0, outside);
    EXPECT_EQ(before, SelectedRow(list));
    EXPECT_EQ(NULL, WaitForMessageBox(runner.ThreadId(), dialog, 300));
    runner.Run([&] { DestroyWindow(thief); });

    // Dropped on a ghost whose hung window cannot be told: the user is told.
    g_fake.windowAtPoint = AddFakeWindow("Ghost", 90);
    PressFinder(runner, onFinder);
    PostMessageA(dialog, WM_LBUTTONUP, 0, outside);
    HWND box = WaitForMessageBox(runner.ThreadId(), dialog);
    ASSERT_NE(static_cast<HWND>(NULL), box);
    EXPECT_EQ(CP932_FINDER_NOT_FOUND, MessageBoxText(box));
    EXPECT_EQ("Error", WindowTextOf(box));
    EXPECT_TRUE(ShowsExclamationIcon(box));
    EXPECT_EQ(dialog, GetWindow(box, GW_OWNER));
    PressButton(box, IDOK);
    runner.Run([] {});  // the drop is done once the dialog is back in its loop

    // Dropped on a window of a process that took a listed identifier after
    // the list was read: the list is read again, and the new row chosen.
    g_fake.processes[1].created = kFakeStart + 1;
    RenameFakeProcess(g_fake.processes[1], "Newer.exe");
    g_fake.windowAtPoint = AddFakeWindow("Newer", 400);
    PressFinder(runner, onFinder);
    SendMessageA(dialog, WM_LBUTTONUP, 0, outside);
    EXPECT_EQ("Newer.exe", CellText(list, SelectedRow(list), 1));
    runner.Stop();
}

// The row selected at start ("none"), then whether the window menu's item
// is named right and checked, and the dialog on top; switchOnTop chooses
// the item once.
std::string OpensWith(bool switchOnTop = false)
{
    DialogRunner runner;
    if (!runner.Start())
        return "no dialog";
    if (switchOnTop)
        SendMessageA(runner.Window(), WM_SYSCOMMAND, IDM_ALWAYS_ON_TOP, 0);
    UINT checked = 0;
    char item[64] = "";
    runner.Run([&] {
        HMENU menu = GetSystemMenu(runner.Window(), FALSE);
        checked = GetMenuState(menu, IDM_ALWAYS_ON_TOP, MF_BYCOMMAND);
        GetMenuStringA(menu, IDM_ALWAYS_ON_TOP, item, sizeof(item), MF_BYCOMMAND);
    });
    const int row = SelectedRow(runner.List());
    std::string opened = (row >= 0 ? CellText(runner.List(), row, 0) : "none") +
                         (std::string(item) == CP932_MENU_ALWAYS_ON_TOP ? "" : " misnamed") +
                         ((checked & MF_CHECKED) ? " checked" : "");
    if (GetWindowLongA(runner.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST)
        opened += " on top";
    runner.Stop();
    return opened;
}

// From the top: a hung desktop, shell and Vantry window, one that answers,
// a ghost, a hung full-screen window, and the ghost's hidden hung window.
TEST(HungWindowAtStart, TheFirstHungWindowsProcessIsSelected)
{
    ResetFake();
    AddFakeProcess(500, "Hung.exe");
    AddFakeProcess(600, "Later.exe");
    const DWORD owners[] = { 4, 1000, g_fake.ownProcessId, 600, 90, 600, 500 };
    const char *classes[] = { "#32769", "Progman", "Own", "Busy", "Ghost", "Later", "Notepad" };
    for (int i = 0; i < 7; ++i)
        AddFakeWindow(classes[i], owners[i]);
    FakeWindow *w = g_fake.windows.data();
    w[0].hungApp = w[1].hungApp = w[2].hungApp = w[5].hungApp = w[6].hungApp = true;
    w[5].place = g_fake.workArea;  // maximized: the task bar shows
    w[6].visible = false;
    EXPECT_EQ("600", OpensWith());
    w[5].place = g_fake.monitor;
    EXPECT_EQ("600 checked on top", OpensWith());
    w[4].hung = w[6].handle;
    EXPECT_EQ("500", OpensWith());
    w[4].place = g_fake.monitor;
    EXPECT_EQ("500 checked on top", OpensWith());
    EXPECT_EQ("500", OpensWith(true));
    w[4].hung = NULL;
    w[5].hungApp = false;
    EXPECT_EQ("none", OpensWith());
    g_mainDialog.selectAtStart = true;  // the command line's process wins
    g_mainDialog.startProcessId = 500;
    EXPECT_EQ("500", OpensWith());
    g_mainDialog.selectAtStart = false;
}

}
