// A process for the tests to list, select and end: it only waits. It ends by
// itself after the number of seconds on its command line (default 300), so a
// run that fails halfway leaves nothing behind for long. Further numbers make
// a tree: it first starts that many copies of itself, each given the numbers
// after that one, so "120 2 2" starts two children with two children each.
//
// "window X Y TITLE" shows a window with that title at X, Y on the screen
// for 120 seconds; "hung X Y TITLE" shows it, then stops answering messages.
// "decoy PATH" claims, in its own loader list, to run from PATH, as a
// hostile program may, and waits 120 seconds.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <winternl.h>

namespace {

void StartChildren(int seconds, const char *counts)
{
    counts += strspn(counts, " \t\"");
    const int children = atoi(counts);
    const char *rest = counts + strcspn(counts, " \t\"");
    char path[MAX_PATH];
    if (children <= 0 || GetModuleFileNameA(NULL, path, MAX_PATH) == 0)
        return;
    for (int i = 0; i < children; ++i) {
        char commandLine[MAX_PATH + 64];
        snprintf(commandLine, sizeof(commandLine), "\"%s\" %d %s", path, seconds, rest);
        STARTUPINFOA startup;
        ZeroMemory(&startup, sizeof(startup));
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started;
        if (CreateProcessA(path, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &started)) {
            CloseHandle(started.hThread);
            CloseHandle(started.hProcess);
        }
    }
}

// The window modes; false when the command line names none.
bool ShowWindowMode(const char *commandLine)
{
    char mode[8] = "", title[256] = "";
    int x = 0, y = 0;
    // The end-to-end test quotes every argument.
    if (sscanf(commandLine, "\"%7[a-z]\" \"%d\" \"%d\" \"%255[^\"]\"", mode, &x, &y, title) != 4)
        return false;
    CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 300, 150, NULL,
                    NULL, NULL, NULL);
    const bool hang = strcmp(mode, "hung") == 0;
    // Hung, it answers for its first second only.
    SetTimer(NULL, 0, hang ? 1000 : 120000, NULL);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0 && message.message != WM_TIMER)
        DispatchMessageA(&message);
    Sleep(hang ? 120000 : 0);
    return true;
}

bool ClaimDecoyPath(const char *commandLine)
{
    static wchar_t decoy[MAX_PATH];
    char path[MAX_PATH];
    if (sscanf(commandLine, "\"decoy\" \"%259[^\"]\"", path) != 1)
        return false;
    const int length = MultiByteToWideChar(CP_ACP, 0, path, -1, decoy, MAX_PATH) - 1;
    PROCESS_BASIC_INFORMATION basic;
    NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), NULL);
    LIST_ENTRY *first = basic.PebBaseAddress->Ldr->InMemoryOrderModuleList.Flink;
    UNICODE_STRING &name = CONTAINING_RECORD(first, LDR_DATA_TABLE_ENTRY, InMemoryOrderLinks)->FullDllName;
    name.Buffer = decoy;
    name.Length = static_cast<USHORT>(length * sizeof(wchar_t));
    name.MaximumLength = static_cast<USHORT>(name.Length + sizeof(wchar_t));
    // The entry's base name follows its full name.
    UNICODE_STRING &baseName = (&name)[1];
    const wchar_t *separator = wcsrchr(decoy, L'\\');
    baseName.Buffer = separator != NULL ? const_cast<wchar_t *>(separator + 1) : decoy;
    baseName.Length = static_cast<USHORT>(wcslen(baseName.Buffer) * sizeof(wchar_t));
    baseName.MaximumLength = static_cast<USHORT>(baseName.Length + sizeof(wchar_t));
    // A claim the loader does not repeat would test nothing: end at once.
    wchar_t claimed[MAX_PATH];
    if (GetModuleFileNameW(NULL, claimed, MAX_PATH) == 0 || lstrcmpW(claimed, decoy) != 0)
        ExitProcess(3);
    Sleep(120000);
    return true;
}

}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    if (ShowWindowMode(commandLine) || ClaimDecoyPath(commandLine))
        return 7;
    int seconds = atoi(commandLine);
    if (seconds <= 0)
        seconds = 300;
    const char *counts = commandLine + strspn(commandLine, " \t\"");
    StartChildren(seconds, counts + strcspn(counts, " \t\""));
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 7;
}
