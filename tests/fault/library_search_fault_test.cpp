// The program's run keeps the library search in the system folder before
// it loads its first library by name (psapi, for the first list).
#include <gtest/gtest.h>
#include <windows.h>

#include "../../app/program.h"
#include "fake_platform.h"

namespace {

BOOL CALLBACK Cancel(HWND window, LPARAM)
{
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

DWORD WINAPI RunProgram(void *) { return RunVantry(GetModuleHandleA(NULL), ""); }

TEST(LibrarySearch, IsKeptInTheSystemFolderBeforeTheFirstLibraryLoads)
{
    ResetFake();
    AddFakeProcess(300, "Target.exe");
    DWORD threadId = 0;
    HANDLE thread = CreateThread(NULL, 0, RunProgram, NULL, 0, &threadId);
    ASSERT_TRUE(thread != NULL);
    for (int i = 0; i < 500 && WaitForSingleObject(thread, 20) == WAIT_TIMEOUT; ++i)
        EnumThreadWindows(threadId, Cancel, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 0));
    CloseHandle(thread);
    EXPECT_TRUE(g_fake.dllDirectoryCleared);
    EXPECT_EQ(static_cast<DWORD>(LOAD_LIBRARY_SEARCH_SYSTEM32), g_fake.defaultDllDirectories);
    EXPECT_EQ(0, g_fake.libraryCallsBeforeSearchKept);
    EXPECT_EQ(0, g_fake.libraryCallsBeforeDirectoryCleared);
    EXPECT_GT(g_fake.libraryCalls, 0);
}

}
