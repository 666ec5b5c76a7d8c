// 32-bit and 64-bit processes side by side, as on 64-bit Windows. The 64-bit
// test run starts both suites in a 64-bit prefix and tells each where the
// other architecture's build is.
#include <gtest/gtest.h>
#include <windows.h>

#include <psapi.h>

#include <string>

#include "../ui/process_list_dialog.h"
#include "support/dialog_runner.h"
#include "support/helper_process.h"
#include "support/message_box.h"

namespace {

const DWORD kKilled = 0xFFFFFFFF;

std::string OtherSleeper()
{
    return OtherArchitectureBuild() + "\\tests\\vantry_sleeper.exe";
}

class MixedArchitectures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(OtherArchitectureBuild().empty())
            << "run by the 64-bit test run, which names the other build";
        ASSERT_TRUE(runner_.Start());
    }
    void TearDown() override { runner_.Stop(); }

    void Rebuild() { runner_.Run([] { g_mainDialog.RebuildProcessList(); }); }

    // The helper's row: its name, its file and its owner, whatever its
    // architecture.
    void ExpectRowOf(const HelperProcess &helper)
    {
        HWND list = runner_.List();
        const int row = FindRowOfProcess(list, helper.Id());
        ASSERT_GE(row, 0) << helper.ImageName();
        EXPECT_EQ(helper.ImageName(), CellText(list, row, 1));
        EXPECT_EQ(0, lstrcmpiA(helper.Path().c_str(), CellText(list, row, 2).c_str()))
            << CellText(list, row, 2);
        EXPECT_EQ(CurrentUserName(), CellText(list, row, 3));
    }

    // The prefix's own system processes are 64-bit: all of them are named.
    void ExpectEveryRowNamed()
    {
        HWND list = runner_.List();
        for (int row = 0; row < RowCount(list); ++row)
            EXPECT_FALSE(CellText(list, row, 1).empty()) << "row of " << CellText(list, row, 0);
    }

    DialogRunner runner_;
};

#ifdef _WIN64

TEST_F(MixedArchitectures, The64BitProgramNamesEveryProcessAndEndsBothKinds)
{
    HelperProcess native("native64.exe");
    HelperProcess wow(OtherSleeper(), "wow32.exe");
    ASSERT_TRUE(native.Started() && wow.Started());
    Rebuild();
    ExpectRowOf(native);
    ExpectRowOf(wow);
    ExpectEveryRowNamed();

    for (const HelperProcess *helper : { &native, &wow }) {
        HWND box = AskToEndRow(runner_, FindRowOfProcess(runner_.List(), helper->Id()));
        ASSERT_TRUE(box != NULL) << helper->ImageName();
        PressButton(box, IDYES);
        EXPECT_EQ(kKilled, helper->WaitForExit()) << helper->ImageName();
        runner_.Run([] {});
    }
}

#else

// A 32-bit program cannot read a 64-bit process's module list, but the
// kernel names its file and its token names its owner: every row is named,
// the system's own 64-bit processes too.
TEST_F(MixedArchitectures, The32BitProgramNamesEveryProcessOfBothKinds)
{
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    ASSERT_TRUE(wow64) << "needs a 64-bit prefix";
    HelperProcess wide(OtherSleeper(), "wide64.exe");
    HelperProcess narrow("narrow32.exe");
    ASSERT_TRUE(wide.Started() && narrow.Started());
    Rebuild();
    HWND list = runner_.List();

    DWORD ids[1000];
    DWORD bytes = 0;
    ASSERT_TRUE(EnumProcesses(ids, sizeof(ids), &bytes));
    for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i)
        EXPECT_GE(FindRowOfProcess(list, ids[i]), 0) << ids[i];
    EXPECT_EQ(static_cast<int>(bytes / sizeof(DWORD)), RowCount(list));
    ExpectRowOf(wide);
    ExpectRowOf(narrow);
    ExpectEveryRowNamed();
}

#endif

}
