// Ending a process tree under faults Wine does not produce: identifiers
// handed on to newer processes, members that will not end, critical ones.
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

typedef std::vector<DWORD> Ids;

FakeProcess &AddChild(DWORD id, DWORD parentId, ULONGLONG created, const char *name = "Child.exe")
{
    FakeProcess &process = AddFakeProcess(id, name);
    process.parentId = parentId;
    process.created = created;
    return process;
}

// Root.exe (100) started 200 and 300; 200 started 400, which is listed first.
class ProcessTreeFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFake();
        AddChild(400, 200, 30);
        AddChild(100, 8, 10, "Root.exe");
        AddChild(200, 100, 20);
        AddChild(300, 100, 20);
    }
    void TearDown() override
    {
        EXPECT_TRUE(g_fake.openHandles.empty());
        EXPECT_FALSE(g_fake.debugEnabled);
        EXPECT_EQ(0, g_fake.processOpensWithoutPrivilege + g_fake.terminationsWithPrivilege);
    }

    // Asks to end 100's tree (or the command's group of the row's process)
    // and answers; meanwhile runs while the warning is open.
    void EndTree(int answer, const std::function<void()> &meanwhile = [] {},
                 int command = IDM_END_TREE, DWORD rowId = 100)
    {
        DialogRunner runner;
        ASSERT_TRUE(runner.Start());
        ASSERT_TRUE(ClickRow(runner.List(), FindRowOfProcess(runner.List(), rowId)));
        runner.PostCommand(command);
        HWND box = WaitForMessageBox(runner.ThreadId(), runner.Window());
        ASSERT_NE(static_cast<HWND>(NULL), box);
        warning = MessageBoxText(box);
        defaultButton = DefaultButton(box);
        meanwhile();
        PressButton(box, answer);
        HWND error = WaitForMessageBox(runner.ThreadId(), runner.Window(), 1000);
        failure = error != NULL ? WindowTextOf(error) + ": " + MessageBoxText(error) : "";
        if (error != NULL)  // the offer to restart is answered No
            PressButton(error, GetDlgItem(error, IDOK) != NULL ? IDOK : IDNO);
        runner.Stop();
    }

    // The row's key: the start the fake process has now.
    static ProcessKey Key(DWORD id)
    {
        for (const FakeProcess &process : g_fake.processes) {
            if (process.id == id)
                return { id, process.created };
        }
        return { id, kStartUnknown };
    }

    static Ids Gathered(const ProcessKey &root, const char *name = "")
    {
        ProcessGroup tree;
        GatherProcessTree(root, name, &tree);
        Ids ids;
        for (int i = 0; i < tree.count; ++i)
            ids.push_back(tree.members[i].id);
        return ids;
    }

    std::string warning, failure;
    int defaultButton = 0;
};

TEST_F(ProcessTreeFaults, EndsTheRootFirstThenParentsBeforeChildren)
{
    EndTree(IDYES);
    EXPECT_EQ(Cp932TreeWarning("Root.exe", 3), warning);
    EXPECT_EQ(IDYES, defaultButton);
    EXPECT_EQ(Ids({ 100, 200, 300, 400 }), g_fake.terminated);
    EXPECT_EQ(std::vector<UINT>(4, 0xFFFFFFFF), g_fake.exitCodes);
    EXPECT_EQ("", failure);
    EXPECT_EQ(3, g_fake.snapshots);  // the tree's, and one with each reading of the list
}

// 500 names 100 as its parent but is older: the identifier was another's.
// Nor does this program count, or what it started.
TEST_F(ProcessTreeFaults, NewerHoldersOfAParentsIdentifierAndThisProgramAreLeftOut)
{
    const DWORD own = g_fake.ownProcessId;
    AddChild(500, 100, 9);
    AddChild(600, 500, 40);
    AddChild(700, 200, 50).timesFail = true;
    AddChild(own, 200, 25, "Vantry.exe");
    AddChild(800, own, 26);
    EXPECT_EQ(Ids({ 100, 200, 300, 400 }), Gathered(Key(100)));
    EXPECT_TRUE(Gathered(Key(own)).empty());
    g_fake.processes[2].timesFail = true;  // 200's start: none of its children count
    EXPECT_EQ(Ids({ 100, 300 }), Gathered(Key(100)));
}

// A root that no longer has the name shown is another program, whose
// children the user never saw. Without a snapshot the root stands alone.
TEST_F(ProcessTreeFaults, ARootHandedToAnotherProgramOrNoSnapshotBringsNoChildren)
{
    EXPECT_EQ(4u, Gathered(Key(100), "root.EXE").size());
    EXPECT_EQ(Ids({ 100 }), Gathered(Key(100), "Original.exe"));
    g_fake.snapshotFails = true;
    EndTree(IDNO);
    EXPECT_EQ(Cp932Warning("Root.exe"), warning);  // no others: the usual warning
}

// A child whose identifier went to another program since the snapshot (its
// handle names another parent) is left out; one started with its parent
// counts. A root of another start than the row's, later or (the clock set
// back) earlier, is another program: no children. A root that ended by
// itself counts as ended, and the rest are ended as warned, with no box.
TEST_F(ProcessTreeFaults, AChildHandedOnSinceTheSnapshotAndARootOfAnotherStartAreLeftOut)
{
    AddChild(500, 100, 40).handleParentId = 7;
    AddChild(600, 100, 10);
    EXPECT_EQ(Ids({ 100, 200, 300, 600, 400 }), Gathered(Key(100)));
    const ProcessKey row = Key(100);
    for (ULONGLONG other : { 11, 9 }) {
        g_fake.processes[1].created = other;
        EXPECT_EQ(Ids({ 100 }), Gathered(row));
    }

    TearDown();
    SetUp();  // a root that ended meanwhile
    EndTree(IDYES, [] { g_fake.processes[1].exited = true; });
    EXPECT_EQ("", failure);
    EXPECT_EQ(Ids({ 200, 300, 400 }), g_fake.terminated);
}

// Every Child.exe, 300 first, each by the rule of one row: 400, whose
// identifier a newer process took after the list, is not opened to be
// ended, and 500, which ended meanwhile, counts as ended. The lingering
// share one wait. A name no other row has gets the single warning, also
// where another name shares its first 99 bytes.
TEST_F(ProcessTreeFaults, EveryProcessOfTheNameIsEndedAsItsRowWouldBe)
{
    AddChild(500, 1, 5, "CHILD.EXE");
    AddChild(600, 1, 5, "Other.exe");
    const auto newer400 = [] {
        g_fake.processes[0].created = 31;
        g_fake.processes[4].exited = true;
    };
    EndTree(IDYES, newer400, IDM_END_SAME_NAME, 300);
    EXPECT_EQ(Cp932SameNameWarning("Child.exe", 4), warning);
    EXPECT_EQ(Ids({ 300, 200 }), g_fake.openedToEnd);
    EXPECT_EQ(Ids({ 300, 200 }), g_fake.terminated);
    EXPECT_EQ("", failure);

    TearDown();
    SetUp();
    g_fake.processes[0].lingers = g_fake.processes[2].lingers = true;
    EndTree(IDYES, [] {}, IDM_END_SAME_NAME, 300);
    EXPECT_EQ("Error: " + Cp932TreeFailed(2) + "\r\n\r\n" CP932_END_STILL_RUNNING, failure);
    EXPECT_EQ(5000u, g_fake.tick);
    EndTree(IDNO, [] {}, IDM_END_SAME_NAME, 100);
    EXPECT_EQ(Cp932Warning("Root.exe"), warning);
    const std::string shared(99, 'x');
    AddChild(700, 1, 5, (shared + "a.exe").c_str());
    AddChild(800, 1, 5, (shared + "b.exe").c_str());
    g_fake.terminated.clear();
    EndTree(IDYES, [] {}, IDM_END_SAME_NAME, 700);
    EXPECT_EQ(Cp932Warning(shared), warning);
    EXPECT_EQ(Ids({ 700 }), g_fake.terminated);
}

TEST_F(ProcessTreeFaults, ACriticalMemberMakesTheWarningCriticalWithNoAsTheDefault)
{
    g_fake.processes[0].critical = true;
    EndTree(IDNO);
    EXPECT_EQ(Cp932TreeWarning("Root.exe", 3) + CP932_CRITICAL_NOTE, warning);
    EXPECT_EQ(IDNO, defaultButton);
    EXPECT_TRUE(g_fake.terminated.empty());
}

// Meanwhile 300 stops opening (Windows protects it), 400's identifier goes
// to a newer process (which refuses the end) and 500 ends by itself:
// neither of those two is a failure. The count comes with the reason while
// the failures share one; on a limited token the offer to restart as
// administrator comes instead, also where another failed otherwise.
TEST_F(ProcessTreeFaults, MembersThatCannotBeEndedAreCountedInOneBox)
{
    AddChild(500, 100, 25);
    const auto meanwhile = [] {
        g_fake.processes[3].openFails = true;
        g_fake.processes[0].created = 60;
        g_fake.processes[0].endAccessRefused = true;
        g_fake.processes[4].id = 999;
    };
    EndTree(IDYES, meanwhile);
    EXPECT_EQ("Error: " + Cp932TreeFailed(1) + "\r\n\r\n" CP932_END_PROTECTED, failure);
    EXPECT_EQ(Ids({ 100, 200 }), g_fake.terminated);

    TearDown();
    SetUp();
    AddChild(500, 100, 25).exited = true;  // ended, still held open
    g_fake.processes[0].lingers = g_fake.processes[2].lingers = true;
    // and 300 fails otherwise: the count alone
    EndTree(IDYES, [] { g_fake.processes[3].terminateError = ERROR_INVALID_HANDLE; });
    EXPECT_EQ("Error: " + Cp932TreeFailed(3), failure);
    EXPECT_EQ(5000u, g_fake.tick);  // one wait of 5 seconds for them all

    TearDown();
    SetUp();  // members ending by themselves: the wait tells, never "protected"
    g_fake.processes[0].endsWhenTold = g_fake.processes[2].endsWhenTold = true;
    EndTree(IDYES, [] {
        g_fake.processes[3].terminateError = ERROR_ACCESS_DENIED;
        g_fake.processes[3].exiting = true;
    });
    EXPECT_EQ("Error: " + Cp932TreeFailed(1) + "\r\n\r\n" CP932_END_STILL_RUNNING, failure);

    TearDown();
    SetUp();
    AddChild(500, 100, 25);
    g_fake.processes[2].lingers = true;
    g_fake.ownElevation = FakePlatform::kNotElevated;
    EndTree(IDYES, meanwhile);
    EXPECT_EQ(std::string("Error: ") + CP932_END_FAILED_OFFER_RESTART, failure);
}

}
