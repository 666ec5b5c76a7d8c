// Helper executables with awkward names, listed and ended through the
// command: nothing may overflow, the warning is cut at 99 characters.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../ui/process_list_dialog.h"
#include "support/dialog_runner.h"
#include "support/helper_process.h"
#include "support/message_box.h"
#include "support/texts_cp932.h"

namespace {

class HostileNames : public ::testing::TestWithParam<std::string> {};

TEST_P(HostileNames, AreListedWarnedAboutAndEnded)
{
    const std::string name = GetParam();
    HelperProcess helper(name);
    ASSERT_TRUE(helper.Started()) << name;
    DialogRunner runner;
    ASSERT_TRUE(runner.Start());
    HWND list = runner.List();
    const int row = FindRowOfProcess(list, helper.Id());
    ASSERT_GE(row, 0);
    EXPECT_EQ(name, CellText(list, row, 1));
    EXPECT_TRUE(lstrcmpiA(helper.Path().c_str(), CellText(list, row, 2).c_str()) == 0);

    HWND box = AskToEndRow(runner, row);
    ASSERT_TRUE(box != NULL);
    EXPECT_EQ(Cp932Warning(name.substr(0, 99)), MessageBoxText(box));
    PressButton(box, IDYES);
    EXPECT_EQ(0xFFFFFFFFu, helper.WaitForExit());
    runner.Run([] {});
    runner.Stop();
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostileNames,
    ::testing::Values(std::string("\x83\x65\x83\x58\x83\x67\x95\x5c.exe"),  // code page 932
                      std::string("(paren).exe"),
                      std::string(95, 'n') + ".exe",    // 99 characters
                      std::string(146, 'm') + ".exe"));  // 150 characters

TEST(HostilePaths, APathBeyond259CharactersFillsItsCellAndNoMore)
{
    // Paths this long need the wide calls and the \\?\ prefix.
    const std::string here = TestProgramDirectory();
    std::wstring directory = L"\\\\?\\" + std::wstring(here.begin(), here.end());
    while (directory.size() < 300) {
        directory += std::wstring(40, L'd') + L"\\";
        CreateDirectoryW(directory.c_str(), NULL);
    }
    const std::wstring path = directory + L"deep.exe";
    const std::string sleeper = here + "vantry_sleeper.exe";
    CopyFileW(std::wstring(sleeper.begin(), sleeper.end()).c_str(), path.c_str(), FALSE);
    std::wstring commandLine = L"deep.exe 60";
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info;
    if (!CreateProcessW(path.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &info))
        GTEST_SKIP() << "this platform does not start programs from such a long path (error "
                     << GetLastError() << ")";

    DialogRunner runner;
    ASSERT_TRUE(runner.Start());
    Sleep(300);
    runner.Run([] { g_mainDialog.RebuildProcessList(); });
    const int row = FindRowOfProcess(runner.List(), info.dwProcessId);
    EXPECT_GE(row, 0);
    EXPECT_LE(CellText(runner.List(), row, 2).size(), 259u);
    runner.Stop();
    TerminateProcess(info.hProcess, 0);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

}
