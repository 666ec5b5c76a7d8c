// The end-to-end test's eyes inside Wine: reads the rows of a running
// Vantry window from outside its process, and runs a program reporting its
// exact exit code (the Unix side only sees the low byte).
//
//   e2e_probe rows             selected row and each header's sort arrow
//                              (up, down or -), then one line per row:
//                              row <TAB> id <TAB> image <TAB> path <TAB> owner
//   e2e_probe texts            the column headers and the button captions,
//                              read as UTF-16 and written as UTF-8
//   e2e_probe box              caption and text of Vantry's message box, the
//                              same way (line breaks written as \r and \n)
//   e2e_probe offset           where the client area starts inside the window
//   e2e_probe layout           the window's DPI, client size, the controls'
//                              places, the columns' widths and what their
//                              texts and the buttons' captions need
//   e2e_probe spawn exe [arg]  "pid N" at start, "exit 0xXXXXXXXX" at the end
//   e2e_probe spawn-at pid exe [arg]
//                              as spawn, once a start gets that identifier
//   e2e_probe load library     loads a library by its path, and lets it go
//   e2e_probe clipboard        the clipboard's Unicode text, as UTF-8
//   e2e_probe menu             a shown context menu's top left corner
//   e2e_probe place row        the row's label (-1: the selected row's), on
//                              screen: left top right bottom
//   e2e_probe finder           whether the finder shows, and its centre on
//                              screen: shown|hidden x y
//   e2e_probe list             the list's client area on screen: left top
//                              right bottom
//   e2e_probe vantries         the process identifier of each Vantry window
//   e2e_probe shell            whether the shell answers for its folder
//                              windows (exit code 0), or its error
//   e2e_probe start full|limited exe [arguments]
//                              as spawn, the arguments passed as they are;
//                              limited: with the token Windows gives an
//                              administrator's programs without the UAC
//                              prompt (no SeDebugPrivilege, not elevated)
//   e2e_probe token pid        the process's token: full, limited (the two
//                              of an administrator's) or default
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include <windows.h>
#include <commctrl.h>
#include <exdisp.h>
#include <shellapi.h>

#include "../../res/resource.h"

namespace {

const int kTextBytes = 1024;

struct RemoteList {
    HWND list;
    HANDLE process;
    char *memory;  // in the other process: an LVITEMA, then the text buffer
};

HWND FindVantry()
{
    return FindWindowA("#32770", "Vantry");
}

bool OpenRemoteList(RemoteList &remote)
{
    HWND dialog = FindVantry();
    if (dialog == NULL)
        return false;
    remote.list = GetDlgItem(dialog, IDC_PROCESS_LIST);
    DWORD processId = 0;
    GetWindowThreadProcessId(remote.list, &processId);
    remote.process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 processId);
    if (remote.process == NULL)
        return false;
    remote.memory = static_cast<char *>(VirtualAllocEx(remote.process, NULL, 4096, MEM_COMMIT,
                                                       PAGE_READWRITE));
    return remote.memory != NULL;
}

void CloseRemoteList(const RemoteList &remote)
{
    VirtualFreeEx(remote.process, remote.memory, 0, MEM_RELEASE);
    CloseHandle(remote.process);
}

// A Vantry that hangs (or crashed and waits in the debugger) must fail the
// test, not stall it.
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
        fprintf(stderr, "Vantry does not answer\n");
        ExitProcess(3);
    }
    return static_cast<LRESULT>(result);
}

void ReadRemoteCell(const RemoteList &remote, int row, int column, char *text)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.iSubItem = column;
    item.pszText = remote.memory + 512;
    item.cchTextMax = kTextBytes;
    SIZE_T done;
    WriteProcessMemory(remote.process, remote.memory, &item, sizeof(item), &done);
    const char empty = '\0';
    WriteProcessMemory(remote.process, remote.memory + 512, &empty, 1, &done);
    Ask(remote.list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.memory));
    ReadProcessMemory(remote.process, remote.memory + 512, text, kTextBytes, &done);
    text[kTextBytes - 1] = '\0';
}

int PrintRows()
{
    RemoteList remote;
    if (!OpenRemoteList(remote)) {
        fprintf(stderr, "no Vantry window\n");
        return 1;
    }
    const int count = static_cast<int>(Ask(remote.list, LVM_GETITEMCOUNT, 0, 0));
    printf("selected %d arrows", static_cast<int>(Ask(remote.list, LVM_GETNEXTITEM,
                                                        static_cast<WPARAM>(-1), LVNI_SELECTED)));
    HWND header = reinterpret_cast<HWND>(Ask(remote.list, LVM_GETHEADER, 0, 0));
    for (int column = 0; column < 4; ++column) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        SIZE_T done;
        WriteProcessMemory(remote.process, remote.memory, &item, sizeof(item), &done);
        Ask(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(remote.memory));
        ReadProcessMemory(remote.process, remote.memory, &item, sizeof(item), &done);
        printf(" %s", item.fmt & HDF_SORTUP ? "up" : item.fmt & HDF_SORTDOWN ? "down" : "-");
    }
    printf("\n");
    for (int row = 0; row < count; ++row) {
        printf("%d", row);
        for (int column = 0; column < 4; ++column) {
            char text[kTextBytes];
            ReadRemoteCell(remote, row, column, text);
            printf("\t%s", text);
        }
        printf("\n");
    }
    CloseRemoteList(remote);
    return 0;
}

// UTF-16 to UTF-8, with line breaks spelled out so that a text is one line.
void PrintUtf8(const char *label, const wchar_t *text)
{
    char utf8[kTextBytes * 3];
    if (WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), NULL, NULL) == 0)
        utf8[0] = '\0';
    printf("%s\t", label);
    for (const char *c = utf8; *c != '\0'; ++c) {
        if (*c == '\r')
            fputs("\\r", stdout);
        else if (*c == '\n')
            fputs("\\n", stdout);
        else
            putchar(*c);
    }
    putchar('\n');
}

// A column's header, read in the Unicode form, so that the reader's own code
// page cannot turn a wrong text into a right one. The text holds
// kTextBytes / 2 characters.
void ReadRemoteHeader(const RemoteList &remote, int index, wchar_t *text)
{
    LVCOLUMNW column;
    ZeroMemory(&column, sizeof(column));
    column.mask = LVCF_TEXT;
    column.pszText = reinterpret_cast<wchar_t *>(remote.memory + 512);
    column.cchTextMax = kTextBytes / sizeof(wchar_t);
    SIZE_T done;
    WriteProcessMemory(remote.process, remote.memory, &column, sizeof(column), &done);
    text[0] = L'\0';
    if (Ask(remote.list, LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(remote.memory)))
        ReadProcessMemory(remote.process, remote.memory + 512, text, kTextBytes - 2, &done);
    text[kTextBytes / sizeof(wchar_t) - 1] = L'\0';
}

int PrintTexts()
{
    RemoteList remote;
    if (!OpenRemoteList(remote))
        return 1;
    HWND header = reinterpret_cast<HWND>(Ask(remote.list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(Ask(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < columns; ++i) {
        wchar_t text[kTextBytes / sizeof(wchar_t)];
        ReadRemoteHeader(remote, i, text);
        PrintUtf8("header", text);
    }
    HWND dialog = GetParent(remote.list);
    const int buttons[] = { IDOK, IDC_REFRESH };
    for (int id : buttons) {
        wchar_t text[256] = L"";
        GetWindowTextW(GetDlgItem(dialog, id), text, 256);
        PrintUtf8("button", text);
    }
    CloseRemoteList(remote);
    return 0;
}

struct BoxSearch {
    DWORD processId;
    HWND dialog;
    HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM lParam)
{
    BoxSearch *search = reinterpret_cast<BoxSearch *>(lParam);
    char className[16];
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && window != search->dialog &&
        GetClassNameA(window, className, sizeof(className)) && strcmp(className, "#32770") == 0) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

int PrintMessageBox()
{
    BoxSearch search = { 0, FindVantry(), NULL };
    if (search.dialog == NULL)
        return 1;
    GetWindowThreadProcessId(search.dialog, &search.processId);
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.box == NULL)
        return 1;
    wchar_t text[kTextBytes] = L"";
    GetWindowTextW(search.box, text, kTextBytes);
    PrintUtf8("caption", text);
    text[0] = L'\0';
    GetWindowTextW(GetDlgItem(search.box, 0xFFFF), text, kTextBytes);
    PrintUtf8("text", text);
    return 0;
}

int PrintClientOffset()
{
    HWND dialog = FindVantry();
    if (dialog == NULL)
        return 1;
    RECT window;
    GetWindowRect(dialog, &window);
    POINT client = { 0, 0 };
    ClientToScreen(dialog, &client);
    printf("%ld %ld\n", client.x - window.left, client.y - window.top);
    return 0;
}

// What a text needs in the list's font, measured by the list itself.
int RemoteTextWidth(const RemoteList &remote, const wchar_t *text)
{
    SIZE_T done;
    WriteProcessMemory(remote.process, remote.memory + 512, text, (wcslen(text) + 1) * sizeof(wchar_t),
                       &done);
    return static_cast<int>(
        Ask(remote.list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(remote.memory + 512)));
}

void PrintControlPlace(HWND dialog, int id)
{
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT *>(&rect), 2);
    printf("control %d %ld %ld %ld %ld\n", id, rect.left, rect.top, rect.right - rect.left,
           rect.bottom - rect.top);
}

// The widest text of a column over all rows, read and measured in UTF-16.
int WidestCell(const RemoteList &remote, int column)
{
    const int count = static_cast<int>(Ask(remote.list, LVM_GETITEMCOUNT, 0, 0));
    int widest = 0;
    for (int row = 0; row < count; ++row) {
        LVITEMW item;
        ZeroMemory(&item, sizeof(item));
        item.iSubItem = column;
        item.pszText = reinterpret_cast<wchar_t *>(remote.memory + 512);
        item.cchTextMax = kTextBytes / sizeof(wchar_t);
        SIZE_T done;
        WriteProcessMemory(remote.process, remote.memory, &item, sizeof(item), &done);
        Ask(remote.list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote.memory));
        const int width = static_cast<int>(Ask(remote.list, LVM_GETSTRINGWIDTHW, 0,
                                               reinterpret_cast<LPARAM>(remote.memory + 512)));
        widest = width > widest ? width : widest;
    }
    return widest;
}

int PrintLayout()
{
    RemoteList remote;
    if (!OpenRemoteList(remote))
        return 1;
    HWND dialog = GetParent(remote.list);
    const int buttons[] = { IDC_REFRESH, IDOK };
    printf("dpi %u\n", GetDpiForWindow(dialog));
    RECT client;
    GetClientRect(dialog, &client);
    printf("client %ld %ld\n", client.right, client.bottom);
    const int controls[] = { IDC_PROCESS_LIST, IDC_REFRESH, IDOK, IDC_FINDER };
    for (int id : controls)
        PrintControlPlace(dialog, id);
    for (int id : buttons) {
        SIZE ideal = { 0, 0 };
        SIZE_T done;
        WriteProcessMemory(remote.process, remote.memory, &ideal, sizeof(ideal), &done);
        Ask(GetDlgItem(dialog, id), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(remote.memory));
        ReadProcessMemory(remote.process, remote.memory, &ideal, sizeof(ideal), &done);
        printf("ideal %d %ld %ld\n", id, ideal.cx, ideal.cy);
    }
    for (int i = 0; i < 4; ++i) {
        wchar_t header[kTextBytes / sizeof(wchar_t)];
        ReadRemoteHeader(remote, i, header);
        printf("column %d %d %d %d\n", i, static_cast<int>(Ask(remote.list, LVM_GETCOLUMNWIDTH, i, 0)),
               RemoteTextWidth(remote, header), i < 2 ? WidestCell(remote, i) : 0);
    }
    CloseRemoteList(remote);
    return 0;
}

// Prints a started program's identifier, waits for it, prints its exact
// exit code, and closes its handles.
int ReportUntilExit(const PROCESS_INFORMATION &info)
{
    printf("pid %lu\n", info.dwProcessId);
    fflush(stdout);
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    printf("exit 0x%08lX\n", code);
    fflush(stdout);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return 0;
}

// The arguments are read as UTF-16, so that a name the system's code page
// lacks (a Japanese one on an English system) still starts. spawn-at starts
// the program suspended again and again, ending each start at once, until
// one gets the identifier wanted: Wine hands a freed identifier out again
// after about 256 others.
int Spawn(int first, DWORD wanted)
{
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    wchar_t commandLine[2048] = L"";
    for (int i = first; argv != NULL && i < argc; ++i) {
        wcsncat(commandLine, L"\"", 2047 - wcslen(commandLine));
        wcsncat(commandLine, argv[i], 2047 - wcslen(commandLine));
        wcsncat(commandLine, L"\" ", 2047 - wcslen(commandLine));
    }
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info;
    BOOL started = FALSE;
    DWORD error = ERROR_SUCCESS;
    for (int tries = 0; argv != NULL && argc > first && tries < 2000; ++tries) {
        started = CreateProcessW(argv[first], commandLine, NULL, NULL, FALSE,
                                 wanted != 0 ? CREATE_SUSPENDED : 0, NULL, NULL, &startup, &info);
        // On a busy machine Wine now and then refuses a start
        // (ERROR_INTERNAL_ERROR) that succeeds when tried again.
        if (!started) {
            error = GetLastError();
            continue;
        }
        if (wanted == 0 || info.dwProcessId == wanted)
            break;
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, INFINITE);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        started = FALSE;
    }
    if (!started) {
        printf("spawn failed %lu\n", error);
        return 1;
    }
    ResumeThread(info.hThread);
    LocalFree(argv);
    return ReportUntilExit(info);
}

int LoadAndFree(const char *path)
{
    HMODULE library = LoadLibraryA(path);
    if (library == NULL) {
        printf("load failed %lu\n", GetLastError());
        return 1;
    }
    FreeLibrary(library);
    return 0;
}

}

int PrintClipboard()
{
    if (!OpenClipboard(NULL))
        return 1;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t *text = data != NULL ? static_cast<const wchar_t *>(GlobalLock(data)) : NULL;
    if (text != NULL) {
        PrintUtf8("unicode", text);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text != NULL ? 0 : 1;
}

int PrintMenuPlace()
{
    HWND menu = FindWindowA("#32768", NULL);
    if (menu == NULL || !IsWindowVisible(menu))
        return 1;
    RECT place;
    GetWindowRect(menu, &place);
    printf("%ld %ld\n", place.left, place.top);
    return 0;
}

// Row -1 is the selected one.
int PrintRowPlace(int row)
{
    RemoteList remote;
    if (!OpenRemoteList(remote))
        return 1;
    if (row < 0)
        row = static_cast<int>(Ask(remote.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    RECT label = { LVIR_LABEL, 0, 0, 0 };
    SIZE_T done;
    WriteProcessMemory(remote.process, remote.memory, &label, sizeof(label), &done);
    const bool found = Ask(remote.list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.memory)) != 0;
    ReadProcessMemory(remote.process, remote.memory, &label, sizeof(label), &done);
    MapWindowPoints(remote.list, NULL, reinterpret_cast<POINT *>(&label), 2);
    printf("%ld %ld %ld %ld\n", label.left, label.top, label.right, label.bottom);
    CloseRemoteList(remote);
    return found ? 0 : 1;
}

int PrintFinder()
{
    HWND finder = GetDlgItem(FindVantry(), IDC_FINDER);
    RECT place;
    if (finder == NULL || !GetWindowRect(finder, &place))
        return 1;
    printf("%s %ld %ld\n", IsWindowVisible(finder) ? "shown" : "hidden", (place.left + place.right) / 2,
           (place.top + place.bottom) / 2);
    return 0;
}

int PrintListPlace()
{
    HWND dialog = FindVantry();
    if (dialog == NULL)
        return 1;
    HWND list = GetDlgItem(dialog, IDC_PROCESS_LIST);
    RECT client;
    GetClientRect(list, &client);
    MapWindowPoints(list, NULL, reinterpret_cast<POINT *>(&client), 2);
    printf("%ld %ld %ld %ld\n", client.left, client.top, client.right, client.bottom);
    return 0;
}

// Of the own token and its linked one, the limited one: Wine 8 gives every
// program the elevated token, Wine 10 (as Windows) gives this probe, whose
// manifest asks for no elevation, the limited one. Wine leaves
// SeDebugPrivilege in it, so it is deleted here, as Windows has it.
HANDLE LimitedPrimaryToken()
{
    HANDLE own = NULL, restricted = NULL, primary = NULL;
    TOKEN_LINKED_TOKEN linked = { NULL };
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD length = 0;
    LUID_AND_ATTRIBUTES debug = { { 0, 0 }, 0 };
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, &own) &&
        GetTokenInformation(own, TokenElevationType, &type, sizeof(type), &length) &&
        GetTokenInformation(own, TokenLinkedToken, &linked, sizeof(linked), &length) &&
        LookupPrivilegeValueA(NULL, "SeDebugPrivilege", &debug.Luid) &&
        CreateRestrictedToken(type == TokenElevationTypeLimited ? own : linked.LinkedToken, 0, 0, NULL, 1,
                              &debug, 0, NULL, &restricted))
        DuplicateTokenEx(restricted, MAXIMUM_ALLOWED, NULL, SecurityImpersonation, TokenPrimary,
                         &primary);
    const HANDLE opened[] = { own, linked.LinkedToken, restricted };
    for (HANDLE handle : opened) {
        if (handle != NULL)
            CloseHandle(handle);
    }
    return primary;
}

int PrintTokenKind(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    HANDLE token = NULL;
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD length = 0;
    const bool read = process != NULL && OpenProcessToken(process, TOKEN_QUERY, &token) &&
                      GetTokenInformation(token, TokenElevationType, &type, sizeof(type), &length);
    if (token != NULL)
        CloseHandle(token);
    if (process != NULL)
        CloseHandle(process);
    if (!read)
        return 1;
    printf("%s\n", type == TokenElevationTypeFull ? "full" : type == TokenElevationTypeLimited ? "limited" : "default");
    return 0;
}

int StartWithToken(int argc, char **argv)
{
    char commandLine[2048];
    snprintf(commandLine, sizeof(commandLine), "\"%s\"", argv[3]);
    for (int i = 4; i < argc; ++i)
        snprintf(commandLine + strlen(commandLine), sizeof(commandLine) - strlen(commandLine),
                 " %s", argv[i]);
    const bool limited = strcmp(argv[2], "limited") == 0;
    HANDLE token = limited ? LimitedPrimaryToken() : NULL;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info;
    const BOOL started =
        limited ? token != NULL && CreateProcessAsUserA(token, argv[3], commandLine, NULL, NULL, FALSE,
                                                        0, NULL, NULL, &startup, &info)
                : CreateProcessA(argv[3], commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                                 &info);
    if (token != NULL)
        CloseHandle(token);
    if (!started) {
        printf("start failed %lu\n", GetLastError());
        return 1;
    }
    return ReportUntilExit(info);
}

BOOL CALLBACK PrintVantry(HWND window, LPARAM)
{
    char className[16] = "", caption[16] = "";
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, caption, sizeof(caption));
    DWORD processId = 0;
    if (strcmp(className, "#32770") == 0 && strcmp(caption, "Vantry") == 0 &&
        GetWindowThreadProcessId(window, &processId))
        printf("%lu\n", processId);
    return TRUE;
}

// The shell's list of its windows, which opening a folder asks for first.
int AskShellWindows()
{
    HRESULT result = CoInitialize(NULL);
    if (SUCCEEDED(result)) {
        IShellWindows *windows = NULL;
        result = CoCreateInstance(CLSID_ShellWindows, NULL, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                  reinterpret_cast<void **>(&windows));
        if (windows != NULL)
            windows->Release();
        CoUninitialize();
    }
    if (FAILED(result))
        printf("0x%08lX\n", static_cast<unsigned long>(result));
    return FAILED(result) ? 1 : 0;
}

// When Windows started a process: its FILETIME count, in decimal.
int PrintStart(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    FILETIME created, exited, kernel, user;
    const bool read = process != NULL && GetProcessTimes(process, &created, &exited, &kernel, &user);
    if (read)
        printf("%llu\n", (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime);
    if (process != NULL)
        CloseHandle(process);
    return read ? 0 : 1;
}

int main(int argc, char **argv)
{
    if (argc >= 2 && strcmp(argv[1], "finder") == 0)
        return PrintFinder();
    if (argc >= 2 && strcmp(argv[1], "list") == 0)
        return PrintListPlace();
    if (argc == 3 && strcmp(argv[1], "started") == 0)
        return PrintStart(strtoul(argv[2], NULL, 10));
    if (argc == 2 && strcmp(argv[1], "vantries") == 0)
        return !EnumWindows(PrintVantry, 0);
    if (argc == 2 && strcmp(argv[1], "shell") == 0)
        return AskShellWindows();
    if (argc >= 4 && strcmp(argv[1], "start") == 0)
        return StartWithToken(argc, argv);
    if (argc == 3 && strcmp(argv[1], "token") == 0)
        return PrintTokenKind(strtoul(argv[2], NULL, 10));
    if (argc >= 2 && strcmp(argv[1], "clipboard") == 0)
        return PrintClipboard();
    if (argc >= 2 && strcmp(argv[1], "menu") == 0)
        return PrintMenuPlace();
    if (argc >= 3 && strcmp(argv[1], "place") == 0)
        return PrintRowPlace(atoi(argv[2]));
    if (argc == 3 && strcmp(argv[1], "load") == 0)
        return LoadAndFree(argv[2]);
    if (argc >= 2 && strcmp(argv[1], "rows") == 0)
        return PrintRows();
    if (argc >= 2 && strcmp(argv[1], "texts") == 0)
        return PrintTexts();
    if (argc >= 2 && strcmp(argv[1], "box") == 0)
        return PrintMessageBox();
    if (argc >= 2 && strcmp(argv[1], "offset") == 0)
        return PrintClientOffset();
    if (argc >= 2 && strcmp(argv[1], "layout") == 0)
        return PrintLayout();
    if (argc >= 3 && strcmp(argv[1], "spawn") == 0)
        return Spawn(2, 0);
    if (argc >= 4 && strcmp(argv[1], "spawn-at") == 0)
        return Spawn(3, strtoul(argv[2], NULL, 10));
    fprintf(stderr,
            "usage: e2e_probe rows | shell | finder | started pid | texts | box | offset | layout | clipboard | menu | place row | list | spawn[-at pid] program [argument] | load library\n");
    return 2;
}
