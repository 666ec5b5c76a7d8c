// The list's new commands under faults Wine does not produce: the clipboard
// held by another program; the file commands on a real file whose folder
// has a space, a comma and an accent, with the shell missing or failing, the
// file or its folder gone, the process no longer the row's; and the wait
// cursor while the table is read.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

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
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"Vantry tests, Café";
        file_ = folder_ + L"\\Target.exe";
        CreateDirectoryW(folder_.c_str(), NULL);
        CloseHandle(CreateFileW(file_.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
        AddProcessOf(300, file_);
        // The kernel's forms of the same file, and a system file.
        AddProcessOf(301, L"\\??\\" + file_);
        AddProcessOf(302, L"\\SystemRoot\\system32\\kernel32.dll");
        ASSERT_TRUE(runner_.Start());
        ASSERT_TRUE(ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), 300)));
    }
    void TearDown() override
    {
        runner_.Stop();
        EXPECT_TRUE(g_fake.openHandles.empty());
        EXPECT_EQ(g_fake.itemListPaths.size(), static_cast<size_t>(g_fake.itemListsFreed));
        DeleteFileW(file_.c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    // A process whose UTF-16 path is widePath; its path cell shows it in the
    // code page, as the platform's own conversion gives it.
    static void AddProcessOf(DWORD id, const std::wstring &widePath)
    {
        char shown[MAX_PATH];
        WideCharToMultiByte(CP_ACP, 0, widePath.c_str(), -1, shown, MAX_PATH, NULL, NULL);
        FakeProcess &process = AddFakeProcess(id, "Target.exe");
        process.path = shown;
        process.widePath = widePath;
    }

    void ExpectNoBox() { EXPECT_EQ(NULL, WaitForMessageBox(runner_.ThreadId(), runner_.Window(), 300)); }
    void ExpectFailureBox(const std::string &text)
    {
        HWND box = WaitForMessageBox(runner_.ThreadId(), runner_.Window());
        ASSERT_NE(static_cast<HWND>(NULL), box);
        EXPECT_EQ("Error", WindowTextOf(box));
        EXPECT_EQ(text, MessageBoxText(box));
        EXPECT_EQ(runner_.Window(), GetWindow(box, GW_OWNER));
        PressButton(box, IDOK);
    }
    // Nothing opened: no item list, no execution, no Explorer.
    static void ExpectNothingOpened()
    {
        EXPECT_TRUE(g_fake.itemListPaths.empty());
        EXPECT_TRUE(g_fake.shellExecutes.empty());
        EXPECT_EQ(L"", g_fake.explorerCommandLine);
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
    std::wstring folder_;
    std::wstring file_;
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
    EXPECT_EQ("300\tTarget.exe\t" + g_fake.processes[0].path + "\talice\r\n", ClipboardText());
}

TEST_F(ListCommandFaults, TheFileIsSelectedInItsFolderByItsUtf16Path)
{
    runner_.SendCommand(IDM_OPEN_LOCATION);
    ASSERT_EQ(1u, g_fake.itemListPaths.size());
    EXPECT_EQ(file_, g_fake.itemListPaths[0]);
    EXPECT_EQ(1, g_fake.shellSelections);
    ExpectNoBox();
}

TEST_F(ListCommandFaults, TheKernelsFormsOfAPathAreRewritten)
{
    wchar_t windows[MAX_PATH];
    GetSystemWindowsDirectoryW(windows, MAX_PATH);
    for (DWORD id : { 301, 302 }) {
        ASSERT_TRUE(ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), id)));
        runner_.SendCommand(IDM_OPEN_LOCATION);
    }
    ExpectNoBox();
    ASSERT_EQ(2u, g_fake.itemListPaths.size());
    EXPECT_EQ(file_, g_fake.itemListPaths[0]);
    EXPECT_EQ(std::wstring(windows) + L"\\system32\\kernel32.dll", g_fake.itemListPaths[1]);
}

// Only where the shell's calls are missing: Explorer by its full path in the
// Windows folder, its handles closed.
TEST_F(ListCommandFaults, WithoutTheShellExplorerIsStartedByItsFullPath)
{
    g_fake.shellMissing = true;
    runner_.SendCommand(IDM_OPEN_LOCATION);
    wchar_t windows[MAX_PATH];
    GetSystemWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(std::wstring(windows) + L"\\explorer.exe", g_fake.explorerApplication);
    EXPECT_EQ(L"explorer.exe /select,\"" + file_ + L"\"", g_fake.explorerCommandLine);
    ExpectNoBox();
}

TEST_F(ListCommandFaults, WhenNeitherTheShellNorExplorerOpensItTheUserIsTold)
{
    g_fake.shellMissing = true;
    g_fake.explorerStartFails = true;
    runner_.PostCommand(IDM_OPEN_LOCATION);
    ExpectFailureBox(CP932_OPEN_LOCATION_FAILED);
    g_fake.shellMissing = false;
    g_fake.explorerStartFails = false;
    g_fake.explorerCommandLine.clear();
    g_fake.shellSelectFails = true;
    runner_.PostCommand(IDM_OPEN_LOCATION);
    ExpectFailureBox(CP932_OPEN_LOCATION_FAILED);
    EXPECT_EQ(L"", g_fake.explorerCommandLine);
}

TEST_F(ListCommandFaults, AGoneFileLeavesItsFolderOpenedWithNothingSelected)
{
    ASSERT_TRUE(DeleteFileW(file_.c_str()));
    runner_.SendCommand(IDM_OPEN_LOCATION);
    ExpectNoBox();
    EXPECT_TRUE(g_fake.itemListPaths.empty());
    ASSERT_EQ(1u, g_fake.shellExecutes.size());
    EXPECT_EQ(L"open", g_fake.shellExecutes[0].verb);
    EXPECT_EQ(folder_, g_fake.shellExecutes[0].file);
    g_fake.shellExecutes.clear();
    runner_.PostCommand(IDM_PROPERTIES);
    ExpectFailureBox(CP932_PROPERTIES_FAILED);
    ExpectNothingOpened();
}

TEST_F(ListCommandFaults, WithTheFileAndItsFolderGoneTheUserIsTold)
{
    ASSERT_TRUE(DeleteFileW(file_.c_str()) && RemoveDirectoryW(folder_.c_str()));
    runner_.PostCommand(IDM_OPEN_LOCATION);
    ExpectFailureBox(CP932_OPEN_LOCATION_FAILED);
    g_fake.shellMissing = true;
    runner_.PostCommand(IDM_OPEN_LOCATION);
    ExpectFailureBox(CP932_OPEN_LOCATION_FAILED);
    ExpectNothingOpened();
}

// The process has ended and its identifier now names another program.
TEST_F(ListCommandFaults, AProcessThatIsNoLongerTheRowsIsReported)
{
    g_fake.processes[0].widePath = L"C:\\windows\\system32\\notepad.exe";
    runner_.PostCommand(IDM_OPEN_LOCATION);
    ExpectFailureBox(CP932_OPEN_LOCATION_FAILED);
    g_fake.processes[0].openFails = true;
    runner_.PostCommand(IDM_PROPERTIES);
    ExpectFailureBox(CP932_PROPERTIES_FAILED);
    ExpectNothingOpened();
}

TEST_F(ListCommandFaults, PropertiesAreShownForTheUtf16Path)
{
    runner_.SendCommand(IDM_PROPERTIES);
    ExpectNoBox();
    ASSERT_EQ(1u, g_fake.shellExecutes.size());
    const FakeShellExecute &call = g_fake.shellExecutes[0];
    EXPECT_EQ(static_cast<ULONG>(SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI), call.mask);
    EXPECT_EQ(L"properties", call.verb);
    EXPECT_EQ(file_, call.file);
    EXPECT_EQ(runner_.Window(), call.owner);
    g_fake.shellExecuteError = ERROR_NO_ASSOCIATION;
    runner_.PostCommand(IDM_PROPERTIES);
    ExpectFailureBox(CP932_PROPERTIES_FAILED);
}

TEST_F(ListCommandFaults, TheWaitCursorShowsWhileTheTableIsRead)
{
    HCURSOR wait = LoadCursorA(NULL, IDC_WAIT);
    HCURSOR after = NULL;
    // Not the arrow, which a rebuild that always set the arrow would give.
    HCURSOR before = LoadCursorA(NULL, IDC_IBEAM);
    runner_.Run([&] {
        SetCursor(before);
        g_mainDialog.RebuildProcessList();
        after = GetCursor();
    });
    EXPECT_EQ(wait, g_fake.cursorWhileEnumerating);
    EXPECT_EQ(before, after);
}

}
