// The list's new commands under faults Wine does not produce: the clipboard
// held by another program; the file commands on a real file whose folder
// has a space, a comma and an accent, with the shell missing or failing, the
// file or its folder gone, the process no longer the row's, Windows XP's
// device paths; and the wait cursor while the table is read.
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
        // Windows XP's kernel names the file on its device: the same file,
        // and one on a device that no drive letter names.
        AddProcessOf(301, L"\\Device\\HarddiskVolume10" + file_.substr(2));
        AddProcessOf(302, L"\\Device\\Mup\\host\\share\\Target.exe");
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

    // A process whose image file the kernel records as imagePath; its loader
    // list gives the same, as the platform converts it (é as e).
    static void AddProcessOf(DWORD id, const std::wstring &imagePath)
    {
        char shown[MAX_PATH];
        WideCharToMultiByte(CP_ACP, 0, imagePath.c_str(), -1, shown, MAX_PATH, NULL, NULL);
        FakeProcess &process = AddFakeProcess(id, "Target.exe");
        process.path = shown;
        process.imagePath = imagePath;
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
        // The command goes on after its box (a gone row's rebuilds the
        // list): wait until the dialog is back in its loop.
        runner_.Run([] {});
    }
    // Nothing opened: no item list, no execution.
    static void ExpectNothingOpened()
    {
        EXPECT_TRUE(g_fake.itemListPaths.empty());
        EXPECT_TRUE(g_fake.shellExecutes.empty());
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
    // The row as shown: the kernel's path, where é, which code page 932
    // lacks, is a question mark and not a look-alike.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(std::string("300\tTarget.exe\t") + temp + "Vantry tests, Caf?\\Target.exe\talice\r\n",
              ClipboardText());
}

// By the kernel's record of the file, not by the path the list shows,
// which the process's own memory gave.
TEST_F(ListCommandFaults, TheFileIsSelectedInItsFolderByTheKernelsUtf16Path)
{
    g_fake.processes[0].path = "C:\\Decoy\\Target.exe";
    runner_.SendCommand(IDC_REFRESH);
    runner_.SendCommand(IDM_OPEN_LOCATION);
    ASSERT_EQ(1u, g_fake.itemListPaths.size());
    EXPECT_EQ(file_, g_fake.itemListPaths[0]);
    EXPECT_EQ(1, g_fake.shellSelections);
    ExpectNoBox();
}

// Windows XP: a drive's device matches only whole, so the drive on
// HarddiskVolume1 does not claim a file on HarddiskVolume10; a device that
// no drive letter names is a failure.
TEST_F(ListCommandFaults, OnWindowsXpTheDevicePathIsMappedToItsDriveLetter)
{
    g_fake.fullImageNameMissing = true;
    g_fake.dosDevices = { { L"A:", L"\\Device\\HarddiskVolume1" },
                          { file_.substr(0, 2), L"\\Device\\HarddiskVolume10" } };
    ASSERT_TRUE(ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), 302)));
    runner_.PostCommand(IDM_OPEN_LOCATION);
    ExpectFailureBox(CP932_OPEN_LOCATION_FAILED);
    ASSERT_TRUE(ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), 301)));
    runner_.PostCommand(IDM_OPEN_LOCATION);
    ExpectNoBox();
    ASSERT_EQ(1u, g_fake.itemListPaths.size());
    EXPECT_EQ(file_, g_fake.itemListPaths[0]);
}

// Where the shell's calls are missing nothing else is started: the user is
// told, as when the shell fails.
TEST_F(ListCommandFaults, WithoutTheShellTheUserIsTold)
{
    g_fake.shellMissing = true;
    runner_.PostCommand(IDM_OPEN_LOCATION);
    ExpectFailureBox(CP932_OPEN_LOCATION_FAILED);
    ExpectNothingOpened();
    g_fake.shellMissing = false;
    g_fake.shellSelectFails = true;
    runner_.PostCommand(IDM_OPEN_LOCATION);
    ExpectFailureBox(CP932_OPEN_LOCATION_FAILED);
}

// The folder by its item list as the class Folder, never by a verb on its
// path, which a program put in the folder's place would answer.
TEST_F(ListCommandFaults, AGoneFileLeavesItsFolderOpenedWithNothingSelected)
{
    ASSERT_TRUE(DeleteFileW(file_.c_str()));
    runner_.PostCommand(IDM_PROPERTIES);
    ExpectFailureBox(CP932_PROPERTIES_FAILED);
    ExpectNothingOpened();
    runner_.SendCommand(IDM_OPEN_LOCATION);
    ExpectNoBox();
    ASSERT_EQ(1u, g_fake.shellExecutes.size());
    const FakeShellExecute &call = g_fake.shellExecutes[0];
    EXPECT_EQ(static_cast<ULONG>(SEE_MASK_IDLIST | SEE_MASK_CLASSNAME | SEE_MASK_FLAG_NO_UI), call.mask);
    EXPECT_EQ(folder_, call.itemList);
    EXPECT_EQ(L"Folder", call.className);
    EXPECT_EQ(L"", call.file);
    EXPECT_EQ(0, g_fake.shellSelections);
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

// A row stands for the process of its key. Another start under its
// identifier, on a row with a name or without, or an identifier that names
// nothing now, gets the box for a gone row; a process that will not open,
// the command's own.
TEST_F(ListCommandFaults, OnlyTheRowsOwnProcessIsOpened)
{
    AddFakeProcess(303, "");
    runner_.SendCommand(IDC_REFRESH);
    for (DWORD id : { 300, 303 }) {
        ASSERT_TRUE(ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), id)));
        ++g_fake.processes[id == 300 ? 0 : g_fake.processes.size() - 1].created;
        runner_.PostCommand(IDM_OPEN_LOCATION);
        ExpectFailureBox(CP932_ROW_GONE);
    }
    g_fake.processes[0].id = 399;
    ASSERT_TRUE(ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), 300)));
    runner_.PostCommand(IDM_PROPERTIES);
    ExpectFailureBox(CP932_ROW_GONE);
    EXPECT_EQ(-1, FindRowOfProcess(runner_.List(), 300));
    g_fake.processes[0].openFails = true;
    ASSERT_TRUE(ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), 399)));
    runner_.PostCommand(IDM_PROPERTIES);
    ExpectFailureBox(CP932_PROPERTIES_FAILED);
    ExpectNothingOpened();
    g_fake.processes[0].openFails = false;
    runner_.PostCommand(IDM_OPEN_LOCATION);
    ExpectNoBox();
    EXPECT_EQ(1, g_fake.shellSelections);
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
