// A replacement for the platform layer (process/platform_calls.h), linked
// into the fault tests in place of the real one: a process table the test
// writes, faults on demand, and a record of every handle and privilege
// change so that a test can see what the code left behind.
#ifndef VANTRY_TEST_FAKE_PLATFORM_H
#define VANTRY_TEST_FAKE_PLATFORM_H

#include <windows.h>

#include <string>
#include <vector>

struct FakeAccount {
    std::string name;  // in UTF-8
    bool lookupFails = false;
};

// When a fake process started, unless the test says otherwise. Nothing of
// the program reads the clock of now: a start is only ever compared with
// another start.
const ULONGLONG kFakeStart = 100;

struct FakeProcess {
    DWORD id = 0;
    std::string name;   // empty: the base name cannot be read
    std::string path;   // empty: the file name cannot be read
    FakeAccount owner;
    bool openFails = false;
    DWORD openError = ERROR_ACCESS_DENIED;  // why it does not open
    bool modulesFail = false;
    bool tokenFails = false;
    bool tokenInfoFails = false;
    bool critical = false;  // Windows stops when it ends
    bool criticalQueryFails = false;
    // Before Windows 8.1: ntdll's answer, and systems that refuse the
    // limited query right (XP, Server 2003).
    bool breakOnTerminationQueryFails = false;
    bool limitedAccessRefused = false;
    // Refuses the right to end it (another account's, or a protected one).
    bool endAccessRefused = false;
    // Process trees: the parent as the snapshot names it, and the start.
    DWORD parentId = 0;
    ULONGLONG created = kFakeStart;
    // The parent the kernel gives on the process's handle, where it is not
    // parentId: the identifier went to another program since the snapshot.
    DWORD handleParentId = 0;
    bool timesFail = false;
    // Ending: a process that had ended before (its object still held
    // open), and one that does not end within a wait once terminated.
    bool exited = false;
    bool lingers = false;
    // Windows has begun to end it: a refused end's status says so; its
    // exit code is set only once it has exited.
    bool exiting = false;
    DWORD terminateError = 0;  // TerminateProcess fails with it
    // Ends by itself the moment it is told to: TerminateProcess fails (with
    // terminateError, else denied, as Windows answers) and it has exited.
    bool endsWhenTold = false;
    // The image file as the kernel recorded it, in UTF-16 (on Windows XP
    // the path on its device); empty: the list's path, converted. The
    // loader list (name, path) may say otherwise.
    std::wstring imagePath;
    bool kernelPathFails = false;
};

struct FakeSessionProcess {
    DWORD processId = 0;
    FakeAccount owner;
};

// A window on the fake screen (fake_windows.cpp).
struct FakeWindow {
    HWND handle;
    HWND parent;  // NULL: a top-level window
    std::string className;
    DWORD processId;
    HWND hung;    // what a ghost window stands for
    bool visible;
    bool hungApp;  // IsHungAppWindow's answer
    RECT place;
};

// One call of ShellExecuteExW; null pointers recorded as empty strings, and
// an item list (the last one made) by the path it was made for.
struct FakeShellExecute {
    ULONG mask;
    std::wstring verb, file, parameters, className, itemList;
    HWND owner;
};

struct FakePlatform {
    std::vector<FakeProcess> processes;
    std::vector<FakeSessionProcess> sessionProcesses;
    bool sessionListFails = false;
    bool ownTokenFails = false;
    bool privilegeMissing = false;
    // The program's own identifier: never a multiple of 4, so never that of
    // a real process, whose identifier a fake one might otherwise share.
    DWORD ownProcessId = 4093;

    // What the code did.
    bool debugEnabled = false;
    int privilegeSwitches = 0;
    std::vector<HANDLE> openHandles;
    int handlesOpened = 0;
    int handlesClosed = 0;
    int badCloses = 0;
    int processOpens = 0;
    int processOpensWithoutPrivilege = 0;
    DWORD lastOpenAccess = 0;
    int sessionListsReturned = 0;
    int sessionListsFreed = 0;
    std::vector<DWORD> openedToEnd;  // opened with the right to end them
    std::vector<DWORD> terminated;
    std::vector<UINT> exitCodes;
    int terminationsWithPrivilege = 0;
    int accountLookups = 0;
    DWORD lastLookupNameLength = 0;
    DWORD lastLookupDomainLength = 0;

    // The clipboard, held by another program for this many attempts to open it.
    int clipboardHeldFor = 0;
    int clipboardOpenAttempts = 0;
    // Explorer: the shell's call fails on demand.
    bool shellSelectFails = false;
    int shellSelections = 0;
    // Windows XP: no full image name, and what each drive letter names.
    bool fullImageNameMissing = false;
    std::vector<std::pair<std::wstring, std::wstring>> dosDevices;
    // The cursor shown while the process table was read, and while an end
    // waited for its process.
    HCURSOR cursorWhileEnumerating = NULL;
    HCURSOR cursorWhileWaiting = NULL;

    // A Windows before 8.1: no IsProcessCritical.
    bool isProcessCriticalMissing = false;
    // Process trees: the snapshot fails on demand, and counts as an open
    // handle while it is held.
    bool snapshotFails = false;
    // ntdll without RtlGetLastNtStatus: a denied end says no more than
    // its last error.
    bool lastStatusMissing = false;
    // The clock of the waits, in milliseconds: a wait that times out takes
    // all of its time. A process that was told to end is gone within any
    // wait that takes time, unless it lingers.
    DWORD tick = 0;
    int snapshots = 0;
    int snapshotsWithPrivilege = 0;
    // The finder: the windows on the screen ("#32769" is the desktop,
    // "Progman" the shell's window), the one at any point, and a system
    // without the call that names a ghost's hung window.
    // From the top of the z-order down; every window is on the one monitor.
    std::vector<FakeWindow> windows;
    RECT monitor = { 0, 0, 1024, 768 };
    RECT workArea = { 0, 0, 1024, 728 };  // the task bar below
    HWND windowAtPoint = NULL;
    bool ghostCallMissing = false;
    // The file commands on the UTF-16 path: the shell's calls missing (shell32
    // or ole32), the item lists made and freed, and the shell's executions.
    bool shellMissing = false;
    std::vector<std::wstring> itemListPaths;
    int itemListsFreed = 0;
    std::vector<FakeShellExecute> shellExecutes;
    DWORD shellExecuteError = 0;

    // Restarting as administrator: what the own token says of its elevation
    // (Windows XP cannot answer).
    enum Elevation { kElevated, kNotElevated, kElevationQueryFails };
    Elevation ownElevation = kElevated;

    // The library search asked for, and how many calls of a library loaded
    // by name (psapi, wtsapi32) came before it.
    bool dllDirectoryCleared = false;
    int libraryCallsBeforeDirectoryCleared = -1;
    DWORD defaultDllDirectories = 0;
    int libraryCallsBeforeSearchKept = -1;
    int libraryCalls = 0;
};

extern FakePlatform g_fake;

// Empties the table and every record.
void ResetFake();
// Adds a process that opens fully, owned by owner.
FakeProcess &AddFakeProcess(DWORD id, const std::string &name, const std::string &owner = "alice");
// Renames a process's image file (C:\Programs\name), as both the kernel and
// its loader list give it; an empty name leaves neither a name nor a path.
void RenameFakeProcess(FakeProcess &process, const std::string &name);
// Adds the idle process (0) and System (4) as Windows lists them: they do not
// open, so their rows have an identifier and nothing else.
void AddIdleAndSystemProcesses();
HWND AddFakeWindow(const std::string &className, DWORD processId, HWND parent = NULL);

#endif
