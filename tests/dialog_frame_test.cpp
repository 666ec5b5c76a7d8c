// The dialog frame and the main window, created from the real template.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <process.h>

#include <string>
#include <vector>

#include "../app/modal_dialog.h"
#include "../app/program.h"
#include "../res/resource.h"
#include "../ui/process_list_dialog.h"
#include "support/dialog_runner.h"
#include "support/helper_process.h"

namespace {

// A dialog that records what reaches it and closes itself with a command.
class RecordingDialog : public ModalDialog {
public:
    explicit RecordingDialog(int closeWith) : closeWith_(closeWith) {}

    INT_PTR DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        if (message == WM_INITDIALOG) {
            userData = GetWindowLongPtrA(window, GWLP_USERDATA);
            boundWindow = dialogWindow.handle;
            PostMessageA(window, WM_COMMAND, closeWith_, 0);
        }
        return ModalDialog::DialogProc(window, message, wParam, lParam);
    }

    std::vector<UINT> messages;
    LONG_PTR userData = 0;
    HWND boundWindow = NULL;

private:
    int closeWith_;
};

TEST(ModalDialogFrame, RoutesFromInitDialogOnAndEndsWithTheCommandsResult)
{
    InitCommonControls();
    RecordingDialog ok(IDOK);
    EXPECT_EQ(1, ok.DoModal(GetModuleHandleA(NULL), IDD_PROCESS_LIST, GetDesktopWindow(), 7));
    EXPECT_EQ(7, ok.modalParam);
    ASSERT_FALSE(ok.messages.empty());
    // WM_SETFONT comes before WM_INITDIALOG and must not reach the object.
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), ok.messages.front());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&ok), ok.userData);
    EXPECT_TRUE(ok.boundWindow != NULL);
    EXPECT_EQ(ok.boundWindow, ok.dialogWindow.handle);  // never cleared

    RecordingDialog cancel(IDCANCEL);
    EXPECT_EQ(0, cancel.DoModal(GetModuleHandleA(NULL), IDD_PROCESS_LIST, GetDesktopWindow(), 0));
}

TEST(ModalDialogFrame, MessagesBeforeBindingAreAnsweredFalseAndGoNowhere)
{
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(window != NULL);
    EXPECT_EQ(FALSE, StaticDialogProc(window, WM_SETFONT, 0, 0));
    EXPECT_EQ(FALSE, StaticDialogProc(window, WM_COMMAND, IDCANCEL, 0));
    EXPECT_EQ(0, GetWindowLongPtrA(window, GWLP_USERDATA));
    DestroyWindow(window);
}

// The entry point in a probe built as Vantry is (helpers/stack_probe.cpp):
// the cookie is the random generator's, or without it still another each
// run. And the program's run where no dialog can be shown (no template), in
// a process of its own, since it sets the library search for good.
TEST(ProgramEntry, TakesTheRandomCookieEndsASmashedFrameAtOnceAndSaysWhenNoDialogShows)
{
    EXPECT_EXIT(ExitProcess(RunVantry(GetModuleHandleA("kernel32.dll"), "")), ::testing::ExitedWithCode(1), "");
    const std::string probe = TestProgramDirectory() + "vantry_stack_probe.exe";
    const std::string quoted = "\"" + probe + "\"";
    const char *path = probe.c_str(), *name = quoted.c_str();
    EXPECT_EQ(0x5A5A5A5A, _spawnl(_P_WAIT, path, name, "guard", NULL));
    EXPECT_NE(_spawnl(_P_WAIT, path, name, "fallback", NULL), _spawnl(_P_WAIT, path, name, "fallback", NULL));
    EXPECT_EQ(STATUS_STACK_BUFFER_OVERRUN, static_cast<DWORD>(_spawnl(_P_WAIT, path, name, "smash", NULL)));
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        // What an earlier dialog may have left: start-up must reset it.
        g_mainDialog.lastKey = 'Z';
        g_mainDialog.sortColumn = 3;
        ASSERT_TRUE(runner_.Start());
    }
    void TearDown() override { runner_.Stop(); }

    RECT ChildRect(int id)
    {
        RECT rect;
        HWND child = GetDlgItem(runner_.Window(), id);
        GetWindowRect(child, &rect);
        MapWindowPoints(NULL, runner_.Window(), reinterpret_cast<POINT *>(&rect), 2);
        return rect;
    }

    // The figures are pixels at 96 DPI, scaled to dpi.
    void ExpectLayoutFor(int width, int height, int dpi = 96)
    {
        auto s = [dpi](int figure) { return MulDiv(figure, dpi, 96); };
        const RECT list = ChildRect(IDC_PROCESS_LIST);
        EXPECT_EQ(s(10), list.left);
        EXPECT_EQ(s(10), list.top);
        EXPECT_EQ(width > s(20) ? width - s(20) : 0, list.right - list.left);
        EXPECT_EQ(height > s(60) ? height - s(60) : 0, list.bottom - list.top);
        const RECT refresh = ChildRect(IDC_REFRESH);
        EXPECT_EQ(width - s(235), refresh.left);
        EXPECT_EQ(height - s(35), refresh.top);
        EXPECT_EQ(s(110), refresh.right - refresh.left);
        EXPECT_EQ(s(25), refresh.bottom - refresh.top);
        const RECT end = ChildRect(IDOK);
        EXPECT_EQ(width - s(120), end.left);
        EXPECT_EQ(height - s(35), end.top);
        EXPECT_EQ(s(110), end.right - end.left);
        EXPECT_EQ(s(25), end.bottom - end.top);
    }

    RECT Client()
    {
        RECT client;
        GetClientRect(runner_.Window(), &client);
        return client;
    }

    DialogRunner runner_;
};

TEST_F(MainWindow, HasTheFourColumnsWithCodePage932Headers)
{
    HWND list = runner_.List();
    EXPECT_EQ(list, g_mainDialog.listWindow);
    const struct { const char *header; int width; int format; } expected[] = {
        { "PID", 50, LVCFMT_RIGHT },
        { "\x83\x43\x83\x81\x81\x5B\x83\x57\x96\xBC", 100, LVCFMT_LEFT },  // image name
        { "\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC", 300, LVCFMT_LEFT },  // file name
        { "\x83\x86\x81\x5B\x83\x55", 100, LVCFMT_LEFT },                  // user
    };
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(4, SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        char text[64] = "";
        LVCOLUMNA column;
        ZeroMemory(&column, sizeof(column));
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.pszText = text;
        column.cchTextMax = sizeof(text);
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(expected[i].header, text);
        EXPECT_EQ(expected[i].width, column.cx);
        EXPECT_EQ(i, column.iSubItem);
        EXPECT_EQ(expected[i].format, column.fmt & LVCFMT_JUSTIFYMASK);
    }
    EXPECT_TRUE(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
}

TEST_F(MainWindow, StartsCentredWithFocusOnTheListAndBothIcons)
{
    HWND focus = NULL;
    runner_.Run([&] { focus = GetFocus(); });
    EXPECT_EQ(runner_.List(), focus);
    EXPECT_TRUE(SendMessageA(runner_.Window(), WM_GETICON, ICON_SMALL, 0) != 0);
    EXPECT_TRUE(SendMessageA(runner_.Window(), WM_GETICON, ICON_BIG, 0) != 0);
    EXPECT_EQ(0, g_mainDialog.lastKey);
    EXPECT_EQ(0, g_mainDialog.sortColumn);
    EXPECT_GT(RowCount(runner_.List()), 0);

    RECT window, desktop;
    GetWindowRect(runner_.Window(), &window);
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_NEAR((desktop.right - desktop.left) / 2, (window.left + window.right) / 2, 2);
}

TEST_F(MainWindow, LaysOutTheControlsAfterEveryResize)
{
    RECT client = Client();
    ExpectLayoutFor(client.right, client.bottom);

    SetWindowPos(runner_.Window(), NULL, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    client = Client();
    ExpectLayoutFor(client.right, client.bottom);

    ShowWindow(runner_.Window(), SW_MAXIMIZE);
    client = Client();
    EXPECT_GT(client.right, 900);
    ExpectLayoutFor(client.right, client.bottom);
    ShowWindow(runner_.Window(), SW_RESTORE);

    // A client area too small for the list (as when minimised) leaves it
    // empty; the buttons keep their size.
    for (const SIZE size : { SIZE{ 0, 0 }, SIZE{ 20, 60 }, SIZE{ 15, 40 } }) {
        SCOPED_TRACE(size.cx);
        SendMessageA(runner_.Window(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.cx, size.cy));
        ExpectLayoutFor(size.cx, size.cy);
    }
}

int SmallIconSide(HWND window)
{
    ICONINFO info;
    HICON icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (icon == NULL || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap;
    GetObjectA(info.hbmColor != NULL ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// Windows moves the dialog to a monitor of twice the scale and back: the
// window takes each rectangle it suggests, the layout and the caption icon
// follow, and the columns keep their proportions, a dragged width included.
TEST_F(MainWindow, FollowsAMoveToAnotherDisplayScaleAndBack)
{
    HWND window = runner_.Window();
    ASSERT_TRUE(SendMessageA(runner_.List(), LVM_SETCOLUMNWIDTH, 2, 177));
    auto expectColumns = [&](int dpi) {
        const int widths[] = { 50, 100, 177, 100 };
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(MulDiv(widths[i], dpi, 96), SendMessageA(runner_.List(), LVM_GETCOLUMNWIDTH, i, 0))
                << "column " << i << " at " << dpi;
    };
    const struct { int dpi; RECT suggested; } moves[] = {
        { 192, { 40, 30, 1040, 730 } },
        { 96, { 60, 50, 580, 430 } },
    };
    for (const auto &move : moves) {
        SCOPED_TRACE(move.dpi);
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(move.dpi, move.dpi),
                     reinterpret_cast<LPARAM>(&move.suggested));
        RECT now;
        GetWindowRect(window, &now);
        EXPECT_TRUE(EqualRect(&now, &move.suggested));
        ExpectLayoutFor(Client().right, Client().bottom, move.dpi);
        expectColumns(move.dpi);
        EXPECT_EQ(move.dpi / 6, SmallIconSide(window));
        // Minimised: the list is left empty at this scale too.
        SendMessageA(window, WM_SIZE, SIZE_MINIMIZED, 0);
        ExpectLayoutFor(0, 0, move.dpi);
        SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(Client().right, Client().bottom));
    }

    // A DPI of 0 or an empty rectangle changes nothing.
    const RECT empty = { 100, 100, 100, 100 };
    SendMessageA(window, WM_DPICHANGED, 0, reinterpret_cast<LPARAM>(&moves[0].suggested));
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&empty));
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(192, 192), 0);
    RECT now;
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &moves[1].suggested));
    ExpectLayoutFor(Client().right, Client().bottom);
    expectColumns(96);
}

TEST_F(MainWindow, EscapeEndsTheDialogWithZero)
{
    EXPECT_EQ(0, runner_.Stop());
    EXPECT_FALSE(IsWindow(runner_.Window()));
}

}
