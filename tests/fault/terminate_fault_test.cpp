// Ending a process under faults: a token without the privilege, a process
// that will not open, an identifier that now belongs to another program.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "../../process/process_path.h"
#include "../../process/terminate.h"
#include "../../ui/process_list_dialog.h"
#include "../support/dialog_runner.h"
#include "../support/message_box.h"
#include "../support/texts_cp932.h"
#include "fake_platform.h"

namespace {

// The row of the target, as the list keyed it.
const ProcessKey kTarget = { 300, kFakeStart };

class TerminateFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFake();
        AddFakeProcess(300, "Target.exe");
    }
    void TearDown() override
    {
        EXPECT_TRUE(g_fake.openHandles.empty());
        EXPECT_EQ(0, g_fake.badCloses);
        EXPECT_FALSE(g_fake.debugEnabled);
    }
};

TEST_F(TerminateFaults, EndsTheNamedProcessWithFullAccessAndThePrivilegeOffAgain)
{
    EXPECT_EQ(kEnded, EndRowProcess(kTarget, "target.EXE"));
    ASSERT_EQ(1u, g_fake.terminated.size());
    EXPECT_EQ(300u, g_fake.terminated[0]);
    EXPECT_EQ(0xFFFFFFFFu, g_fake.exitCodes[0]);
    EXPECT_EQ(0x1F0FFFu, g_fake.lastOpenAccess);
    EXPECT_EQ(0, g_fake.processOpensWithoutPrivilege);
    EXPECT_EQ(0, g_fake.terminationsWithPrivilege);
}

TEST_F(TerminateFaults, WithoutAName)
{
    EXPECT_EQ(kEnded, EndRowProcess(kTarget, NULL));
    EXPECT_EQ(1u, g_fake.terminated.size());
    EXPECT_EQ(kEnded, EndRowProcess(kTarget, ""));
    EXPECT_EQ(2u, g_fake.terminated.size());
}

TEST_F(TerminateFaults, AReusedIdentifierIsNotEnded)
{
    EXPECT_EQ(kEndFailed, EndRowProcess(kTarget, "Original.exe"));
    EXPECT_EQ(kEndFailed, EndRowProcess(kTarget, "Target"));
    const std::string cut(99, 'T');  // a cut name must still match its start
    EXPECT_EQ(kEndFailed, EndRowProcess(kTarget, cut.c_str()));
    // The name is the kernel's, whatever the process's loader list claims.
    g_fake.processes[0].name = "Original.exe";
    EXPECT_EQ(kEndFailed, EndRowProcess(kTarget, "Original.exe"));
    EXPECT_TRUE(g_fake.terminated.empty());
    EXPECT_EQ(kEnded, EndRowProcess(kTarget, "Target.exe"));
}

// A row stands for the process of its key: one started at another time,
// later or earlier (after the clock was set back, a newcomer's start is
// earlier than the row's), is another program, also for a row without a
// name; one whose start cannot be read now cannot be told; one that has
// exited is gone. A row without a start is no process's: nothing is
// opened to be ended, nor its file read.
TEST_F(TerminateFaults, AProcessOfAnotherStartIsNotEnded)
{
    for (ULONGLONG other : { kFakeStart + 1, kFakeStart - 1 }) {
        g_fake.processes[0].created = other;
        EXPECT_EQ(kEndGone, EndRowProcess(kTarget, "Target.exe"));
        EXPECT_EQ(kEndGone, EndRowProcess(kTarget, ""));
    }
    g_fake.processes[0].created = kFakeStart;
    EXPECT_EQ(kEndFailed, EndRowProcess({ 300, kStartUnknown }, NULL));
    wchar_t path[MAX_PATH];
    EXPECT_EQ(kImagePathUnread, ReadImagePath({ 300, kStartUnknown }, path, MAX_PATH));
    EXPECT_TRUE(g_fake.openedToEnd.empty());
    g_fake.processes[0].timesFail = true;
    EXPECT_EQ(kEndFailed, EndRowProcess(kTarget, NULL));
    g_fake.processes[0].timesFail = false;
    g_fake.processes[0].exited = true;  // ended, while something holds it open
    EXPECT_EQ(kEndGone, EndRowProcess(kTarget, NULL));
    EXPECT_TRUE(g_fake.terminated.empty());
    g_fake.processes[0].exited = false;
    EXPECT_EQ(kEnded, EndRowProcess(kTarget, NULL));
}

// The whole name decides: its first 99 bytes are another name's too.
TEST_F(TerminateFaults, OnlyTheWholeNameMatches)
{
    std::string japanese;
    for (int i = 0; i < 60; ++i)
        japanese += "\x83\x76";  // katakana "pu", 120 bytes
    RenameFakeProcess(g_fake.processes[0], japanese + ".exe");
    EXPECT_EQ(kEndFailed, EndRowProcess(kTarget, japanese.substr(0, 98).c_str()));
    EXPECT_EQ(kEndFailed, EndRowProcess(kTarget, japanese.c_str()));
    EXPECT_TRUE(g_fake.terminated.empty());
    EXPECT_EQ(kEnded, EndRowProcess(kTarget, (japanese + ".EXE").c_str()));
    // Katakana "shi" is "pu" with a "V" for its second byte: never folded.
    EXPECT_EQ(kEndFailed, EndRowProcess(kTarget, (japanese + ".exe").replace(1, 1, "V").c_str()));
}

// Identity before access: a newer process under the identifier that
// refuses the end's access (another account's, a protected one) is gone.
TEST_F(TerminateFaults, ANewerProcessIsGoneWhateverAccessItRefuses)
{
    g_fake.processes[0].created = kFakeStart + 1;
    g_fake.processes[0].endAccessRefused = true;
    EXPECT_EQ(kEndGone, EndRowProcess(kTarget, "Target.exe"));
    g_fake.processes[0].created = kFakeStart;
    EXPECT_EQ(kEndDenied, EndRowProcess(kTarget, "Target.exe"));
}

// The privilege only widens what opens: without it, or without the own
// token, the open is tried all the same.
TEST_F(TerminateFaults, ATokenWithoutThePrivilegeStillEndsWhatOpens)
{
    g_fake.privilegeMissing = true;
    EXPECT_EQ(kEnded, EndRowProcess(kTarget, "Target.exe"));
    EXPECT_EQ(2, g_fake.processOpensWithoutPrivilege);  // to ask who it is, and to end it
    g_fake.ownTokenFails = true;
    EXPECT_EQ(kEnded, EndRowProcess(kTarget, "Target.exe"));
    EXPECT_EQ(2u, g_fake.terminated.size());
}

// Each error of the open or of the end gives its reason; a process still
// there after the wait is told apart from one that is gone.
TEST_F(TerminateFaults, EachErrorOfTheOpenAndTheEndGivesItsReason)
{
    FakeProcess &target = g_fake.processes[0];
    target.openFails = true;
    EXPECT_EQ(kEndDenied, EndRowProcess(kTarget, "Target.exe"));
    target.openError = ERROR_NOT_ENOUGH_MEMORY;
    EXPECT_EQ(kEndFailed, EndRowProcess(kTarget, "Target.exe"));
    EXPECT_EQ(kEndGone, EndRowProcess({ 999, kFakeStart }, NULL));  // never existed
    target.openFails = false;
    target.terminateError = ERROR_INVALID_HANDLE;
    EXPECT_EQ(kEndFailed, EndRowProcess(kTarget, NULL));
    EXPECT_TRUE(g_fake.terminated.empty());
    // Denied through a handle that may end it: it is ending already, as the
    // refused end's status says from the rundown's start (its exit code only
    // at the end, so without the status it looks guarded), or something
    // guards it.
    target.terminateError = ERROR_ACCESS_DENIED;
    target.exiting = true;
    EXPECT_EQ(kEndLingering, EndRowProcess(kTarget, NULL));
    g_fake.lastStatusMissing = true;
    EXPECT_EQ(kEndDenied, EndRowProcess(kTarget, NULL));
    g_fake.lastStatusMissing = target.exiting = false;
    EXPECT_EQ(kEndDenied, EndRowProcess(kTarget, NULL));
    target.terminateError = ERROR_INVALID_HANDLE;
    target.endsWhenTold = true;  // and an error as it ends by itself
    EXPECT_EQ(kEndGone, EndRowProcess(kTarget, NULL));
    target.exited = target.endsWhenTold = false;
    target.terminateError = 0;
    target.lingers = true;
    EXPECT_EQ(kEndLingering, EndRowProcess(kTarget, NULL));
    EXPECT_EQ(1u, g_fake.terminated.size());
}

// The warning names whatever the row shows: nothing, or at most 99 bytes.
// The test answers it with Yes, or with Enter; meanwhile runs while the
// warning is open.
class WarningText : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFake();
        AddFakeProcess(300, "Target.exe");
    }
    void TearDown() override
    {
        EXPECT_TRUE(g_fake.openHandles.empty());
        EXPECT_EQ(0, g_fake.badCloses);
        EXPECT_FALSE(g_fake.debugEnabled);
        EXPECT_EQ(0, g_fake.processOpensWithoutPrivilege);
        EXPECT_FALSE(privilegeDuringWarning);
        EXPECT_EQ(0, g_fake.terminationsWithPrivilege);
    }

    std::string WarningFor(const std::string &imageName,
                           const std::function<void()> &meanwhile = [] {})
    {
        RenameFakeProcess(g_fake.processes[0], imageName);
        DialogRunner runner;
        EXPECT_TRUE(runner.Start());
        HWND box = AskToEndRow(runner, 0);
        std::string text = box != NULL ? MessageBoxText(box) : "<no box>";
        defaultButton = box != NULL ? DefaultButton(box) : 0;
        privilegeDuringWarning = g_fake.debugEnabled;
        meanwhile();
        if (box != NULL && answerWithEnter)
            PressEnter(box);
        else if (box != NULL)
            PressButton(box, IDYES);
        HWND error = WaitForMessageBox(runner.ThreadId(), runner.Window(), 1000);
        errorShown = error != NULL;
        errorText = error != NULL ? WindowTextOf(error) + ": " + MessageBoxText(error) : "";
        if (error != NULL)
            PressButton(error, IDOK);
        runner.Run([] {});
        nameAfter = CellText(runner.List(), 0, 1);
        runner.Stop();
        return text;
    }

    bool answerWithEnter = false;
    bool privilegeDuringWarning = false;
    int defaultButton = 0;
    bool errorShown = false;
    std::string errorText;  // "caption: text" of the box after the warning
    std::string nameAfter;  // row 0's image name once the command is done
};

// Enter ends nothing; Yes still ends it.
TEST_F(WarningText, ACriticalProcessIsNamedAsSuchWithNoAsTheDefault)
{
    g_fake.processes[0].critical = true;
    answerWithEnter = true;
    EXPECT_EQ(Cp932Warning("Target.exe") + CP932_CRITICAL_NOTE, WarningFor("Target.exe"));
    EXPECT_EQ(IDNO, defaultButton);
    EXPECT_TRUE(g_fake.terminated.empty());
    EXPECT_FALSE(errorShown);

    answerWithEnter = false;
    EXPECT_EQ(Cp932Warning("Target.exe") + CP932_CRITICAL_NOTE, WarningFor("Target.exe"));
    ASSERT_EQ(1u, g_fake.exitCodes.size());
    EXPECT_EQ(0xFFFFFFFFu, g_fake.exitCodes[0]);
}

// Whatever cannot be asked gets the usual warning, with Yes as the default.
TEST_F(WarningText, WithoutAnAnswerOnCriticalityTheWarningIsTheUsualOne)
{
    answerWithEnter = true;
    g_fake.processes[0].critical = true;
    g_fake.processes[0].criticalQueryFails = true;
    EXPECT_EQ(Cp932Warning("Target.exe"), WarningFor("Target.exe"));
    EXPECT_EQ(IDYES, defaultButton);
    EXPECT_EQ(1u, g_fake.terminated.size());

    g_fake.processes[0].openFails = true;  // named by the process snapshot alone
    EXPECT_EQ(Cp932Warning("Target.exe"), WarningFor("Target.exe"));
    EXPECT_EQ(IDYES, defaultButton);
    EXPECT_TRUE(errorShown);
}

// Before Windows 8.1 ntdll tells; on XP only with full query access.
TEST_F(WarningText, WithoutIsProcessCriticalNtdllTells)
{
    g_fake.isProcessCriticalMissing = true;
    answerWithEnter = true;
    g_fake.processes[0].critical = true;
    EXPECT_EQ(Cp932Warning("Target.exe") + CP932_CRITICAL_NOTE, WarningFor("Target.exe"));
    EXPECT_EQ(IDNO, defaultButton);
    EXPECT_EQ(PROCESS_QUERY_LIMITED_INFORMATION, g_fake.lastOpenAccess);

    g_fake.processes[0].limitedAccessRefused = true;
    EXPECT_EQ(Cp932Warning("Target.exe") + CP932_CRITICAL_NOTE, WarningFor("Target.exe"));
    EXPECT_EQ(IDNO, defaultButton);

    g_fake.processes[0].breakOnTerminationQueryFails = true;
    EXPECT_EQ(Cp932Warning("Target.exe"), WarningFor("Target.exe"));
    EXPECT_EQ(IDYES, defaultButton);
    EXPECT_EQ(1u, g_fake.terminated.size());

    g_fake.processes[0].breakOnTerminationQueryFails = false;
    g_fake.processes[0].critical = false;
    EXPECT_EQ(Cp932Warning("Target.exe"), WarningFor("Target.exe"));
    EXPECT_EQ(IDYES, defaultButton);
    EXPECT_EQ(2u, g_fake.terminated.size());
}

TEST_F(WarningText, AnEmptyNameIsOfferedAndEnded)
{
    EXPECT_EQ(Cp932Warning(""), WarningFor(""));
    EXPECT_EQ(1u, g_fake.terminated.size());
    EXPECT_FALSE(errorShown);
}

TEST_F(WarningText, AnIdentifierHandedToAnotherProgramMeanwhileIsNotEnded)
{
    const std::string warning =
        WarningFor("Target.exe", [] { RenameFakeProcess(g_fake.processes[0], "Other.exe"); });
    EXPECT_EQ(Cp932Warning("Target.exe"), warning);
    EXPECT_TRUE(errorShown);
    EXPECT_EQ("Other.exe", nameAfter);  // the list was rebuilt
    // Named by the process snapshot alone, which is older than the row's
    // key: an earlier holder of the identifier may have given that name.
    g_fake.processes[0].kernelPathFails = true;
    WarningFor("Target.exe");
    EXPECT_EQ("Error: " CP932_END_FAILED, errorText);
    EXPECT_TRUE(g_fake.terminated.empty());
}

// Told to end, still there after the wait (which shows the wait cursor):
// the box says so. Windows refusing the end to an elevated token: the
// process is protected.
TEST_F(WarningText, AnEndNotDoneWithinTheWaitOrRefusedIsExplained)
{
    g_fake.processes[0].lingers = true;
    WarningFor("Target.exe");
    EXPECT_EQ("Error: " CP932_END_STILL_RUNNING, errorText);
    EXPECT_EQ(LoadCursorA(NULL, IDC_WAIT), g_fake.cursorWhileWaiting);
    g_fake.processes[0].openFails = true;
    WarningFor("Target.exe");
    EXPECT_EQ("Error: " CP932_END_PROTECTED, errorText);
    // Refused while it ends by itself: gone, or still ending. Refused
    // otherwise, through a handle that may end it: guarded, protected.
    g_fake.processes[0].openFails = false;
    g_fake.processes[0].terminateError = ERROR_ACCESS_DENIED;
    WarningFor("Target.exe");
    EXPECT_EQ("Error: " CP932_END_PROTECTED, errorText);
    g_fake.processes[0].exiting = true;
    WarningFor("Target.exe");
    EXPECT_EQ("Error: " CP932_END_STILL_RUNNING, errorText);
    g_fake.processes[0].endsWhenTold = true;
    WarningFor("Target.exe");
    EXPECT_FALSE(errorShown);
}

// The longest warning there is: a critical process with a cut name, which
// the end checks whole.
TEST_F(WarningText, ALongNameIsCutAt99Characters)
{
    const std::string name(150, 'L');
    g_fake.processes[0].critical = true;
    EXPECT_EQ(Cp932Warning(name.substr(0, 99)) + CP932_CRITICAL_NOTE, WarningFor(name));
    EXPECT_EQ(1u, g_fake.terminated.size());
    EXPECT_FALSE(errorShown);
}

// A deep folder reached through a subst drive or a junction: the kernel's
// path runs past MAX_PATH, and the loader list claims a system file. The
// row, the warning and the end's check name the real file.
TEST_F(WarningText, AKernelPathPastMaxPathNamesTheRealFile)
{
    g_fake.processes[0].imagePath = L"C:\\" + std::wstring(300, L'd') + L"\\Real.exe";
    EXPECT_EQ(Cp932Warning("Real.exe"), WarningFor("svchost.exe"));
    EXPECT_EQ(1u, g_fake.terminated.size());
    EXPECT_FALSE(errorShown);
    EXPECT_EQ("Real.exe", nameAfter);
}

}
