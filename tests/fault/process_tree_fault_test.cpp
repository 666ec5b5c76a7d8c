// Ending a process tree under faults: identifiers handed on to newer
// processes, starts that cannot be read, members that will not end.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "../../process/process_tree.h"
#include "../../res/resource.h"
#include "../support/dialog_runner.h"
#include "../support/message_box.h"
#include "../support/texts_cp932.h"
#include "fake_platform.h"

namespace {

FakeProcess &AddChild(DWORD id, DWORD parentId, ULONGLONG created, const char *name = "Child.exe")
{
    FakeProcess &process = AddFakeProcess(id, name);
    process.parentId = parentId;
    process.created = created;
    return process;
}

// Root.exe (100) started two children and a grandchild; 999 is unrelated.
class ProcessTreeFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFake();
        AddChild(400, 200, 30);  // listed before its parent: order must not matter
        AddChild(100, 8, 10, "Root.exe");
        AddChild(200, 100, 20);
        AddChild(300, 100, 20);
        AddChild(999, 8, 5, "Other.exe");
    }
    void TearDown() override
    {
        EXPECT_TRUE(g_fake.openHandles.empty());
        EXPECT_EQ(0, g_fake.badCloses);
        EXPECT_FALSE(g_fake.debugEnabled);
        EXPECT_EQ(0, g_fake.processOpensWithoutPrivilege);
        EXPECT_EQ(0, g_fake.terminationsWithPrivilege);
    }

    // Asks to end the tree of the process, answers the warning and records
    // what the command showed; meanwhile runs while the warning is open.
    void EndTree(DWORD rootId, int answer, const std::function<void()> &meanwhile = [] {})
    {
        DialogRunner runner;
        ASSERT_TRUE(runner.Start());
        ASSERT_TRUE(ClickRow(runner.List(), FindRowOfProcess(runner.List(), rootId)));
        runner.PostCommand(IDM_END_TREE);
        HWND box = WaitForMessageBox(runner.ThreadId(), runner.Window());
        ASSERT_NE(static_cast<HWND>(NULL), box);
        warning = MessageBoxText(box);
        defaultButton = DefaultButton(box);
        meanwhile();
        PressButton(box, answer);
        HWND error = WaitForMessageBox(runner.ThreadId(), runner.Window(), 1000);
        failure = error != NULL ? MessageBoxText(error) : "";
        if (error != NULL) {
            EXPECT_EQ("Error", WindowTextOf(error));
            PressButton(error, IDOK);
        }
        runner.Stop();
    }

    std::vector<DWORD> Gathered(DWORD rootId, const char *name = "")
    {
        ProcessTree tree;
        GatherProcessTree(rootId, name, &tree);
        return std::vector<DWORD>(tree.ids, tree.ids + tree.count);
    }

    std::string warning;
    int defaultButton = 0;
    std::string failure;
};

TEST_F(ProcessTreeFaults, EndsTheRootFirstThenParentsBeforeChildren)
{
    EndTree(100, IDYES);
    EXPECT_EQ(Cp932TreeWarning("Root.exe", 3), warning);
    EXPECT_EQ(IDYES, defaultButton);
    EXPECT_EQ(std::vector<DWORD>({ 100, 200, 300, 400 }), g_fake.terminated);
    EXPECT_EQ(std::vector<UINT>(4, 0xFFFFFFFF), g_fake.exitCodes);
    EXPECT_EQ("", failure);
    EXPECT_EQ(1, g_fake.snapshots);
}

TEST_F(ProcessTreeFaults, NoEndsNothing)
{
    EndTree(200, IDNO);
    EXPECT_EQ(Cp932TreeWarning("Child.exe", 1), warning);
    EXPECT_TRUE(g_fake.terminated.empty());
}

// 100's identifier was once a parent's: a process older than 100 names it.
TEST_F(ProcessTreeFaults, AnIdentifierHandedOnToANewerProcessIsNoParent)
{
    AddChild(500, 100, 9);
    AddChild(600, 500, 40);
    AddChild(700, 200, 50).timesFail = true;  // its start cannot be read
    EXPECT_EQ(std::vector<DWORD>({ 100, 200, 300, 400 }), Gathered(100));
    g_fake.processes[2].timesFail = true;  // nor can 200's: no children of it
    EXPECT_EQ(std::vector<DWORD>({ 100, 300 }), Gathered(100));
}

TEST_F(ProcessTreeFaults, ThisProgramAndWhatItStartedAreLeftOut)
{
    const DWORD own = GetCurrentProcessId();
    AddChild(own, 200, 25, "Vantry.exe");
    AddChild(800, own, 26);
    EXPECT_EQ(std::vector<DWORD>({ 100, 200, 300, 400 }), Gathered(100));
    EXPECT_TRUE(Gathered(own).empty());
}

// The root is named as the user saw it; a root that no longer has that name
// is some other program, whose children are not the ones the user meant.
TEST_F(ProcessTreeFaults, ARootHandedToAnotherProgramBringsNoChildren)
{
    EXPECT_EQ(std::vector<DWORD>({ 100, 200, 300, 400 }), Gathered(100, "root.EXE"));
    EXPECT_EQ(std::vector<DWORD>({ 100 }), Gathered(100, "Original.exe"));
    g_fake.snapshotFails = true;
    EXPECT_EQ(std::vector<DWORD>({ 100 }), Gathered(100, "Root.exe"));
    EndTree(300, IDYES);
    EXPECT_EQ(Cp932Warning("Child.exe"), warning);  // no others: the usual warning
}

TEST_F(ProcessTreeFaults, ACriticalMemberMakesTheWarningCriticalWithNoAsTheDefault)
{
    g_fake.processes[0].critical = true;  // the grandchild
    EndTree(100, IDNO);
    EXPECT_EQ(Cp932TreeWarning("Root.exe", 3) + CP932_CRITICAL_NOTE, warning);
    EXPECT_EQ(IDNO, defaultButton);
    EXPECT_TRUE(g_fake.terminated.empty());
}

// Between the warning and the end, 300 will not open any more and 400's
// identifier goes to a newer process: both are counted, the rest ended.
TEST_F(ProcessTreeFaults, MembersThatCannotBeEndedAreCountedInOneBox)
{
    EndTree(100, IDYES, [] {
        g_fake.processes[3].openFails = true;
        g_fake.processes[0].created = 60;
    });
    EXPECT_EQ(Cp932TreeFailed(2), failure);
    EXPECT_EQ(std::vector<DWORD>({ 100, 200 }), g_fake.terminated);
}

}
