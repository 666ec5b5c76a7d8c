// The process table under faults the platform will not produce on demand.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../../process/list_text.h"
#include "../../process/privilege.h"
#include "../../res/resource.h"
#include "../../ui/process_list_dialog.h"
#include "../support/dialog_runner.h"
#include "../support/message_box.h"
#include "fake_platform.h"

namespace {

class ProcessTableFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFake();
        ASSERT_TRUE(runner_.Start());
        ResetFake();
    }
    void TearDown() override { runner_.Stop(); }

    int Rebuild()
    {
        int result = 0;
        runner_.Run([&] { result = g_mainDialog.RebuildProcessList(); });
        return result;
    }

    // Every path must close what it opened and leave the privilege off.
    void ExpectCleanExit()
    {
        EXPECT_TRUE(g_fake.openHandles.empty());
        EXPECT_EQ(g_fake.handlesOpened, g_fake.handlesClosed);
        EXPECT_EQ(0, g_fake.badCloses);
        EXPECT_FALSE(g_fake.debugEnabled);
        EXPECT_EQ(0, g_fake.processOpensWithoutPrivilege);
        EXPECT_EQ(g_fake.sessionListsReturned, g_fake.sessionListsFreed);
        EXPECT_EQ(0, g_fake.snapshotsWithPrivilege);
    }

    std::string Cell(int row, int column) { return CellText(runner_.List(), row, column); }

    DialogRunner runner_;
};

TEST_F(ProcessTableFaults, ListsOnlyTheFirstThousandProcesses)
{
    for (DWORD i = 0; i < 1200; ++i)
        AddFakeProcess(4 * i + 8, "p" + std::to_string(i) + ".exe");
    EXPECT_EQ(1, Rebuild());
    HWND list = runner_.List();
    ASSERT_EQ(1000, RowCount(list));
    EXPECT_EQ("8", Cell(0, 0));
    EXPECT_EQ(std::to_string(4 * 999 + 8), Cell(999, 0));
    EXPECT_EQ("p999.exe", Cell(999, 1));
    EXPECT_EQ("C:\\Programs\\p999.exe", Cell(999, 2));
    EXPECT_EQ("alice", Cell(999, 3));
    EXPECT_EQ(999, RowItemData(list, 999));
    EXPECT_EQ(1000, g_fake.processOpens);
    // One snapshot, with the enumeration. One account, one lookup. Every
    // token opens: no terminal-services list.
    EXPECT_EQ(1, g_fake.snapshots);
    EXPECT_EQ(0, g_fake.sessionListsReturned);
    EXPECT_EQ(1, g_fake.accountLookups);
    ExpectCleanExit();
}

// A process that will not open, or whose file no call names, is named by
// the process snapshot, one for the whole list; one whose loader list will
// not read is named by the kernel. The idle process, and a process that
// exited since the enumeration, show the identifier alone.
TEST_F(ProcessTableFaults, EveryProcessIsNamedWhateverCannotBeRead)
{
    AddFakeProcess(0, "[System Process]").openFails = true;
    AddFakeProcess(40, "locked.exe").openFails = true;
    AddFakeProcess(44, "nomodules.exe").modulesFail = true;
    FakeProcess &pathless = AddFakeProcess(48, "System");
    pathless.kernelPathFails = pathless.modulesFail = true;
    AddFakeProcess(52, "exited.exe").exited = true;  // since the enumeration
    // A session entry for the locked process must not be used: no fallback
    // without an open process.
    FakeSessionProcess session;
    session.processId = 40;
    session.owner.name = "SYSTEM";
    g_fake.sessionProcesses.push_back(session);

    Rebuild();
    ASSERT_EQ(5, RowCount(runner_.List()));
    const char *names[] = { "", "locked.exe", "nomodules.exe", "System", "" };
    const char *owners[] = { "", "", "alice", "alice", "" };
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(names[row], Cell(row, 1));
        EXPECT_EQ(row == 2 ? "C:\\Programs\\nomodules.exe" : "", Cell(row, 2));
        EXPECT_EQ(owners[row], Cell(row, 3));
    }
    EXPECT_EQ(1, g_fake.snapshots);
    // The idle process is no program: no end or file command does anything
    // on its row, and no box asks.
    ASSERT_TRUE(ClickRow(runner_.List(), 0));
    for (int command : { IDOK, IDM_END_TREE, IDM_END_SAME_NAME, IDM_PROPERTIES })
        runner_.PostCommand(command);
    EXPECT_EQ(NULL, WaitForMessageBox(runner_.ThreadId(), runner_.Window(), 300));
    EXPECT_TRUE(g_fake.openedToEnd.empty());
    ExpectCleanExit();
}

// Windows XP: the kernel's device path with its drive letter; on a device
// that no drive letter names, the snapshot's name, and only where there is
// no snapshot the loader list's name and path.
TEST_F(ProcessTableFaults, TheKernelNamesTheFileAndTheLoaderListOnlyWhereItCannot)
{
    g_fake.fullImageNameMissing = true;
    g_fake.dosDevices.push_back({ L"C:", L"\\Device\\HarddiskVolume1" });
    FakeProcess &posing = AddFakeProcess(50, "svchost.exe");
    posing.path = "C:\\Windows\\system32\\svchost.exe";
    posing.imagePath = L"\\Device\\HarddiskVolume1\\Real\\helper.exe";
    AddFakeProcess(54, "remote.exe").imagePath = L"\\Device\\Mup\\host\\remote.exe";
    Rebuild();
    EXPECT_EQ("helper.exe", Cell(0, 1));
    EXPECT_EQ("C:\\Real\\helper.exe", Cell(0, 2));
    EXPECT_EQ("remote.exe", Cell(1, 1));
    EXPECT_EQ("", Cell(1, 2));
    g_fake.snapshotFails = true;
    Rebuild();
    EXPECT_EQ("C:\\Programs\\remote.exe", Cell(1, 2));
    ExpectCleanExit();
}

TEST_F(ProcessTableFaults, WithoutAProcessTokenTheOwnerComesFromTheSessionList)
{
    AddFakeProcess(100, "service.exe").tokenFails = true;
    AddFakeProcess(104, "orphan.exe").tokenFails = true;
    AddFakeProcess(108, "unknown.exe").tokenFails = true;
    // The matching entry stands last, behind entries of other processes.
    const struct { DWORD id; const char *owner; bool lookupFails; } sessions[] = {
        { 7, "nobody", false }, { 108, "ghost", true }, { 12, "other", false },
        { 100, "SYSTEM", false },
    };
    for (const auto &entry : sessions) {
        FakeSessionProcess session;
        session.processId = entry.id;
        session.owner.name = entry.owner;
        session.owner.lookupFails = entry.lookupFails;
        g_fake.sessionProcesses.push_back(session);
    }

    Rebuild();
    EXPECT_EQ("service.exe", Cell(0, 1));
    EXPECT_EQ("SYSTEM", Cell(0, 3));
    EXPECT_EQ("orphan.exe", Cell(1, 1));
    EXPECT_EQ("", Cell(1, 3));  // not in the session list
    EXPECT_EQ("unknown.exe", Cell(2, 1));
    EXPECT_EQ("", Cell(2, 3));  // lookup failed
    EXPECT_EQ(200u, g_fake.lastLookupNameLength);
    EXPECT_EQ(200u, g_fake.lastLookupDomainLength);
    ExpectCleanExit();
}

TEST_F(ProcessTableFaults, AFailedSessionListLeavesTheOwnerEmpty)
{
    AddFakeProcess(100, "service.exe").tokenFails = true;
    g_fake.sessionListFails = true;
    Rebuild();
    EXPECT_EQ("service.exe", Cell(0, 1));
    EXPECT_EQ("", Cell(0, 3));
    EXPECT_EQ(0, g_fake.sessionListsFreed);
    ExpectCleanExit();
}

TEST_F(ProcessTableFaults, FailedTokenQueriesLeaveOnlyTheOwnerEmpty)
{
    AddFakeProcess(20, "info.exe").tokenInfoFails = true;
    AddFakeProcess(24, "lookup.exe").owner.lookupFails = true;
    AddFakeProcess(28, "fine.exe", "bob");
    AddFakeProcess(32, "cafe.exe", "caf\xC3\xA9");  // no look-alike for the code page's lack
    Rebuild();
    EXPECT_EQ("info.exe", Cell(0, 1));
    EXPECT_EQ("C:\\Programs\\info.exe", Cell(0, 2));
    EXPECT_EQ("", Cell(0, 3));
    EXPECT_EQ("lookup.exe", Cell(1, 1));
    EXPECT_EQ("", Cell(1, 3));
    EXPECT_EQ("bob", Cell(2, 3));
    EXPECT_EQ("caf?", Cell(3, 3));
    ExpectCleanExit();
}

TEST_F(ProcessTableFaults, NamesAndPathsAreCutAtTheirBufferSize)
{
    const std::string longName(300, 'n');
    AddFakeProcess(30, longName + ".exe");
    Rebuild();
    EXPECT_EQ(longName.substr(0, 259), Cell(0, 1));
    EXPECT_EQ(259u, Cell(0, 2).size());
    // Cut where a character ends, whichever byte the cut falls on: katakana
    // "pu" is two bytes in code page 932.
    char cut[8];
    CutListText("\x83\x76\x83\x76", cut, 4);
    EXPECT_STREQ("\x83\x76", cut);
    CutListText("a\x83\x76\x83\x76", cut, 5);
    EXPECT_STREQ("a\x83\x76", cut);
    ExpectCleanExit();
}

TEST_F(ProcessTableFaults, WithoutItsOwnTokenTheListStaysEmpty)
{
    AddFakeProcess(50, "a.exe");
    Rebuild();
    ASSERT_EQ(1, RowCount(runner_.List()));
    g_fake.ownTokenFails = true;
    g_mainDialog.lastKey = 'A';
    EXPECT_EQ(13, Rebuild());
    EXPECT_EQ(0, RowCount(runner_.List()));
    EXPECT_EQ('A', g_mainDialog.lastKey);
    EXPECT_EQ(1, g_fake.processOpens);  // only the earlier rebuild's
    ExpectCleanExit();
}

TEST_F(ProcessTableFaults, WithoutTheDebugPrivilegeTheTableIsStillRead)
{
    g_fake.privilegeMissing = true;
    AddFakeProcess(60, "mine.exe");
    EXPECT_EQ(1, Rebuild());
    EXPECT_EQ("mine.exe", Cell(0, 1));
    EXPECT_TRUE(g_fake.openHandles.empty());
    EXPECT_EQ(0, g_fake.badCloses);
}

TEST_F(ProcessTableFaults, ThePrivilegeIsOnForTheWorkAndOffAfterIt)
{
    AddFakeProcess(70, "a.exe");
    AddFakeProcess(74, "b.exe");
    Rebuild();
    EXPECT_EQ(2, g_fake.processOpens);
    EXPECT_EQ(2, g_fake.privilegeSwitches);  // on once, off once
    EXPECT_EQ(static_cast<DWORD>(PROCESS_QUERY_LIMITED_INFORMATION), g_fake.lastOpenAccess);
    // An open that needs the privilege, made while the table is read, leaves
    // it on.
    const HANDLE ownToken = BeginDebugPrivilege();
    CheckProcessKey({ 70, kFakeStart });
    EXPECT_TRUE(g_fake.debugEnabled);
    EndDebugPrivilege(ownToken);
    ExpectCleanExit();
}

}
