// Vantry's benchmark: each figure is the median of several runs, printed
// next to a floor measured in the same run. Run it with
//     ./bench.sh
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <wtsapi32.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../process/account_names.h"
#include "../process/privilege.h"
#include "../res/resource.h"
#include "../process/process_path.h"
#include "../process/process_table.h"
#include "../tests/support/dialog_runner.h"
#include "../tests/support/helper_process.h"
#include "../process/compare_no_case.h"
#include "../tests/support/message_box.h"
#include "../ui/list_cell.h"
#include "../ui/process_list_dialog.h"

namespace {

const int kRows = 1000;
const int kHelpers = 200;
// A busy desktop's visible top-level windows, for the look at start-up.
const int kDesktopWindows = 100;

double NowMs()
{
    static LARGE_INTEGER frequency;
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Median of runs; prepare runs untimed before each.
double MedianMs(int runs, const std::function<void()> &work,
                const std::function<void()> &prepare = [] {})
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const double start = NowMs();
        work();
        times.push_back(NowMs() - start);
    }
    return Median(times);
}

void Report(const char *what, double measured, const char *floorName, double floor,
            const char *target = "")
{
    printf("%-44s %10.2f ms   %-22s %10.3f ms   ratio %8.2f %s\n", what, measured, floorName, floor,
           floor > 0 ? measured / floor : 0.0, target);
}

// The floor of the list read the classic way: the module, token and
// account calls for every process, leaving the list alone.
void ReadModuleTableOnly()
{
    DWORD ids[1000];
    DWORD bytes = 0;
    EnumProcesses(ids, sizeof(ids), &bytes);
    HANDLE ownToken;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &ownToken))
        return;
    SetPrivilege(ownToken, "SeDebugPrivilege", TRUE);
    WTS_PROCESS_INFOA *sessions = NULL;
    DWORD sessionCount = 0;
    WTSEnumerateProcessesA(WTS_CURRENT_SERVER_HANDLE, 0, 1, &sessions, &sessionCount);
    for (DWORD j = 0; j < bytes / sizeof(DWORD); ++j) {
        char text[16];
        wsprintfA(text, "%d", ids[j]);
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[j]);
        if (process == NULL)
            continue;
        HMODULE module = NULL;
        DWORD needed;
        char buffer[MAX_PATH], name[200], domain[200];
        if (EnumProcessModules(process, &module, sizeof(module), &needed)) {
            GetModuleBaseNameA(process, module, buffer, MAX_PATH);
            GetModuleFileNameExA(process, module, buffer, MAX_PATH);
            HANDLE token;
            if (OpenProcessToken(process, TOKEN_QUERY, &token)) {
                DWORD info[200], length, nameLength = 200, domainLength = 200;
                SID_NAME_USE use;
                if (GetTokenInformation(token, TokenUser, info, sizeof(info), &length))
                    LookupAccountSidA(NULL, reinterpret_cast<TOKEN_USER *>(info)->User.Sid, name,
                                      &nameLength, domain, &domainLength, &use);
                CloseHandle(token);
            }
        }
        CloseHandle(process);
    }
    SetPrivilege(ownToken, "SeDebugPrivilege", FALSE);
    CloseHandle(ownToken);
    if (sessions != NULL)
        WTSFreeMemory(sessions);
}

// Reads the table and keeps nothing of it.
class TableIgnored : public ProcessTableReceiver {
public:
    void TakeIdentifiers(const DWORD *ids, int count) override
    {
        for (int i = 0; i < count; ++i) {
            char text[16];
            wsprintfA(text, "%d", ids[i]);
        }
    }
    void TakeRecord(int, const ProcessRecord &) override {}
};

// The floor of the list as Vantry reads it: the process table's own reading
// (one open a process, the kernel's path, the start, the token, each
// account's name once, the snapshot), leaving the list alone.
void ReadKernelTableOnly()
{
    TableIgnored ignored;
    ReadProcessTable(&ignored);
}

void BenchRebuild(DialogRunner &runner)
{
    std::vector<std::unique_ptr<HelperProcess>> helpers;
    for (int i = 0; i < kHelpers; ++i)
        helpers.emplace_back(new HelperProcess());
    double vantry = 0, moduleFloor = 0, kernelFloor = 0;
    runner.Run([&] {
        vantry = MedianMs(5, [] { g_mainDialog.RebuildProcessList(); });
        moduleFloor = MedianMs(5, ReadModuleTableOnly);
        kernelFloor = MedianMs(5, ReadKernelTableOnly);
    });
    char what[80];
    wsprintfA(what, "RebuildProcessList (%d processes)", RowCount(runner.List()));
    Report(what, vantry, "module walk, no list", moduleFloor, "(target <= 0.8)");
    Report(what, vantry, "its own calls, no list", kernelFloor, "(target <= 1.2)");
}

struct Row {
    std::string cells[4];
};

std::vector<Row> MakeRows()
{
    std::vector<Row> rows(kRows);
    unsigned seed = 12345;
    for (int i = 0; i < kRows; ++i) {
        seed = seed * 1103515245u + 12345u;
        char text[300];
        wsprintfA(text, "%d", (seed >> 8) % 60000);
        rows[i].cells[0] = text;
        wsprintfA(text, "%c%cname%05d.exe", 'A' + (seed >> 3) % 26, 'a' + (seed >> 11) % 26,
                  (seed >> 5) % 99999);
        rows[i].cells[1] = text;
        // A long folder, as most paths on Windows share one.
        rows[i].cells[2] =
            std::string("C:\\Program Files\\WindowsApps\\Vendor.App_1.0.0.0_x64__8wekyb3d8bbwe\\") +
            rows[i].cells[1];
        rows[i].cells[3] = (seed >> 7) % 3 == 0 ? "SYSTEM" : ((seed >> 9) % 2 ? "alice" : "Bob");
    }
    return rows;
}

// Puts the rows into the list in their original order as the process
// table's reading does: every identifier, then each row's record.
void FillList(const std::vector<Row> &rows)
{
    HWND list = g_mainDialog.listWindow;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    DWORD ids[kRows];
    for (int i = 0; i < kRows; ++i)
        ids[i] = static_cast<DWORD>(atoi(rows[i].cells[0].c_str()));
    g_mainDialog.TakeIdentifiers(ids, kRows);
    for (int i = 0; i < kRows; ++i) {
        ProcessRecord record;
        ZeroMemory(&record, sizeof(record));
        record.key.id = ids[i];
        record.key.created = 1 + i;
        lstrcpynA(record.name, rows[i].cells[1].c_str(), MAX_PATH);
        lstrcpynA(record.path, rows[i].cells[2].c_str(), MAX_PATH);
        lstrcpynA(record.owner, rows[i].cells[3].c_str(), kAccountNameChars);
        g_mainDialog.TakeRecord(i, record);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

// The floor: std::sort of the same whole cells in memory, with the same
// comparison (ascending, equal cells by identifier).
bool SortsBefore(const std::pair<std::string, int> &a, const std::pair<std::string, int> &b,
                 int column)
{
    const int cells = column == 0 ? 0 : CompareNoCase(a.first.c_str(), b.first.c_str());
    return cells != 0 ? cells < 0 : a.second < b.second;
}

// One run of work, in milliseconds.
double TimeMs(const std::function<void()> &work)
{
    const double start = NowMs();
    work();
    return NowMs() - start;
}

// Each column's sort and its floor take turns, fifteen runs each, so that
// the machine's swings reach both. A list that shows its cells in another
// order than std::sort's is reported: its figure would measure nothing.
void BenchSort(DialogRunner &runner)
{
    const std::vector<Row> rows = MakeRows();
    for (int column = 0; column < 4; ++column) {
        std::vector<double> listView, floor;
        std::vector<std::pair<std::string, int>> cells;
        bool sameOrder = true;
        runner.Run([&] {
            g_mainDialog.sortDirection[column] = 2;
            for (int run = 0; run < 15; ++run) {
                FillList(rows);
                listView.push_back(TimeMs([&] { g_mainDialog.SortList(column); }));
                cells.clear();
                for (const Row &row : rows)
                    cells.emplace_back(row.cells[column], atoi(row.cells[0].c_str()));
                floor.push_back(TimeMs([&] {
                    std::sort(cells.begin(), cells.end(),
                              [column](const std::pair<std::string, int> &a,
                                       const std::pair<std::string, int> &b) {
                                  return SortsBefore(a, b, column);
                              });
                }));
            }
            for (int row = 0; row < kRows; ++row)
                sameOrder = sameOrder && CellText(g_mainDialog.listWindow, row, column) == cells[row].first;
        });
        char what[80];
        wsprintfA(what, "sort %d rows by column %d (list-view)", kRows, column);
        Report(what, Median(listView), "std::sort, whole cells", Median(floor), "(target <= 5)");
        if (!sameOrder)
            printf("  the list's order is not std::sort's: the figure above measures nothing\n");
    }
}

void BenchSearch(DialogRunner &runner)
{
    std::vector<Row> rows = MakeRows();
    for (Row &row : rows)
        row.cells[1][0] = 'A';
    rows.back().cells[1][0] = 'Q';  // the one match is the last row
    double typeAhead = 0, selectByPid = 0;
    const int lastId = atoi(rows.back().cells[0].c_str());
    runner.Run([&] {
        FillList(rows);
        typeAhead = MedianMs(11, [] { g_mainDialog.TypeAheadSearch('Q'); },
                             [] { g_mainDialog.lastKey = 0; });
        selectByPid = MedianMs(11, [&] { g_mainDialog.SelectByPid(lastId); });
    });
    // The floor: reading the same cells back, one message a row.
    double floor = 0;
    runner.Run([&] {
        floor = MedianMs(11, [] {
            char text[200];
            for (int row = 0; row < kRows; ++row)
                ReadListCell(g_mainDialog.listWindow, row, 1, text, sizeof(text));
        });
    });
    Report("TypeAheadSearch, 1000 rows, match last", typeAhead, "read 1000 cells", floor);
    Report("SelectByPid, 1000 rows, match last", selectByPid, "read 1000 cells", floor);
}

// From Yes in the warning to a list without the helper's row, against the
// helper's own way out: TerminateProcess and the wait until it is gone.
void BenchEnd(DialogRunner &runner)
{
    std::unique_ptr<HelperProcess> helper;
    HWND warning = NULL;
    const double vantry = MedianMs(
        5,
        [&] {
            if (warning == NULL)
                return;
            // The list answers while the warning is up, and again once the
            // command is done.
            PostMessageA(GetDlgItem(warning, IDYES), BM_CLICK, 0, 0);
            while (IsWindow(warning) || FindRowOfProcess(runner.List(), helper->Id()) >= 0)
                Sleep(1);
        },
        [&] {
            helper.reset(new HelperProcess());
            runner.Run([] { g_mainDialog.RebuildProcessList(); });
            warning = AskToEndRow(runner, FindRowOfProcess(runner.List(), helper->Id()));
        });
    const double floor = MedianMs(
        5,
        [&] {
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, helper->Id());
            TerminateProcess(process, 0xFFFFFFFF);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        },
        [&] { helper.reset(new HelperProcess()); });
    double rebuild = 0;
    runner.Run([&] { rebuild = MedianMs(5, [] { g_mainDialog.RebuildProcessList(); }); });
    char what[80];
    wsprintfA(what, "end: Yes to a list without the row (%d rows)", RowCount(runner.List()));
    Report(what, vantry, "TerminateProcess + wait", floor);
    printf("  of which reading the list again: %.2f ms\n", rebuild);
}

// Every process of one name: from Yes in the one warning to a list without
// them, against TerminateProcess and the wait for each, in turn.
void BenchEndSameName(DialogRunner &runner)
{
    const int kSameName = 50;
    std::vector<std::unique_ptr<HelperProcess>> helpers;
    const auto startHelpers = [&] {
        helpers.clear();
        for (int i = 0; i < kSameName; ++i)
            helpers.emplace_back(new HelperProcess("bench_same.exe"));
    };
    const auto anyListed = [&] {
        for (const std::unique_ptr<HelperProcess> &helper : helpers) {
            if (helper->Started() && FindRowOfProcess(runner.List(), helper->Id()) >= 0)
                return true;
        }
        return false;
    };
    HWND warning = NULL;
    const double vantry = MedianMs(
        3,
        [&] {
            if (warning == NULL)
                return;
            PostMessageA(GetDlgItem(warning, IDYES), BM_CLICK, 0, 0);
            while (IsWindow(warning) || anyListed())
                Sleep(1);
        },
        [&] {
            startHelpers();
            runner.Run([] { g_mainDialog.RebuildProcessList(); });
            ClickRow(runner.List(), FindRowOfProcess(runner.List(), helpers[0]->Id()));
            runner.PostCommand(IDM_END_SAME_NAME);
            warning = WaitForMessageBox(runner.ThreadId(), runner.Window());
        });
    const double floor = MedianMs(
        3,
        [&] {
            for (const std::unique_ptr<HelperProcess> &helper : helpers) {
                HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, helper->Id());
                TerminateProcess(process, 0xFFFFFFFF);
                WaitForSingleObject(process, 5000);
                CloseHandle(process);
            }
        },
        startHelpers);
    char what[80];
    wsprintfA(what, "end %d of one name: Yes to a list without", kSameName);
    Report(what, vantry, "TerminateProcess + wait", floor);
}

struct WindowSearch {
    DWORD processId;
    bool populated;
};

BOOL CALLBACK FindPopulatedList(HWND child, LPARAM lParam)
{
    WindowSearch *search = reinterpret_cast<WindowSearch *>(lParam);
    if (IsWindowOfClass(child, WC_LISTVIEWA) && SendMessageA(child, LVM_GETITEMCOUNT, 0, 0) > 0)
        search->populated = true;
    return !search->populated;
}

// Shown, with the keyboard focus in it: where the user can first act. A
// dialog's thread answers another process's messages (the count of rows)
// as soon as its WM_INITDIALOG returns, before it is shown; the bare dialog
// gets its focus, and the input method's start with it, only then, where
// Vantry sets it during WM_INITDIALOG. So both are timed to this same point.
bool ShownWithFocus(HWND window, DWORD threadId)
{
    GUITHREADINFO gui;
    ZeroMemory(&gui, sizeof(gui));
    gui.cbSize = sizeof(gui);
    return IsWindowVisible(window) && GetGUIThreadInfo(threadId, &gui) &&
           (gui.hwndFocus == window || IsChild(window, gui.hwndFocus));
}

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM lParam)
{
    WindowSearch *search = reinterpret_cast<WindowSearch *>(lParam);
    DWORD owner = 0;
    const DWORD threadId = GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ShownWithFocus(window, threadId))
        EnumChildWindows(window, FindPopulatedList, lParam);
    return !search->populated;
}

// From CreateProcess until a window of the new process is shown with the
// focus in it and a list-view in it has rows.
double StartUpMs(const std::string &program, SIZE_T *peakWorkingSet)
{
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info;
    const double start = NowMs();
    if (!CreateProcessA(program.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL,
                        &startup, &info))
        return -1;
    WindowSearch search = { info.dwProcessId, false };
    while (!search.populated && NowMs() - start < 30000) {
        EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.populated)
            Sleep(1);
    }
    const double elapsed = NowMs() - start;
    if (peakWorkingSet != NULL) {
        PROCESS_MEMORY_COUNTERS counters;
        ZeroMemory(&counters, sizeof(counters));
        GetProcessMemoryInfo(info.hProcess, &counters, sizeof(counters));
        *peakWorkingSet = counters.PeakWorkingSetSize;
    }
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return search.populated ? elapsed : -1;
}

// Visible top-level windows on a thread that answers its messages, so that
// none of them is hung and the look at start-up walks them all.
DWORD WINAPI ShowDesktopWindows(void *ready)
{
    for (int i = 0; i < kDesktopWindows; ++i)
        CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, i * 4, 0, 4, 4, NULL,
                        NULL, NULL, NULL);
    SetEvent(static_cast<HANDLE>(ready));
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

// Vantry's start-up against another program's, each started in turn: the
// medians, Vantry's first.
std::pair<double, double> CompareStartUps(const std::string &vantry, const std::string &other,
                                          const char *what, const char *otherName,
                                          const char *target, int runs = 9)
{
    std::vector<double> ours, theirs;
    for (int i = 0; i < runs; ++i) {
        ours.push_back(StartUpMs(vantry, NULL));
        theirs.push_back(StartUpMs(other, NULL));
    }
    Report(what, Median(ours), otherName, Median(theirs), target);
    return std::make_pair(Median(ours), Median(theirs));
}

// Each line "name figure..." that one run of VantryStartParts.exe (see
// bench/start_parts.cpp) wrote, by name.
typedef std::map<std::string, std::vector<std::string>> PartLines;

PartLines RunStartParts(const std::string &mode, const std::string &names = "")
{
    const std::string file = TestProgramDirectory() + "start_parts.txt";
    const std::string program = TestProgramDirectory() + "VantryStartParts.exe";
    std::string commandLine = "\"" + program + "\" " + mode + " \"" + file + "\"" + names;
    PartLines lines;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info;
    if (!CreateProcessA(program.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL,
                        &startup, &info))
        return lines;
    WaitForSingleObject(info.hProcess, 30000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    FILE *in = fopen(file.c_str(), "r");
    char line[1024];
    while (in != NULL && fgets(line, sizeof(line), in) != NULL) {
        std::vector<std::string> words;
        for (char *word = strtok(line, " \r\n"); word != NULL; word = strtok(NULL, " \r\n"))
            words.push_back(word);
        if (!words.empty())
            lines[words[0]].assign(words.begin() + 1, words.end());
    }
    if (in != NULL)
        fclose(in);
    return lines;
}

// Where the start-up's time beyond the bare dialog goes: each part of the
// work the bare dialog does not do, in a fresh process as at a real start,
// median of several; and a cold load of each library those parts load.
void BenchStartUpParts(double beyondBare)
{
    const char *const parts[][2] = {
        { "privilege", "  the debug privilege on and off" },
        { "reading", "  reading the list, privilege included" },
        { "elevation", "  the token's elevation" },
        { "hunglook", "  the look for a hung window" },
    };
    std::map<std::string, std::vector<double>> times;
    PartLines first;
    for (int run = 0; run < 9; ++run) {
        PartLines lines = RunStartParts("parts");
        for (const auto &part : parts)
            if (!lines[part[0]].empty())
                times[part[0]].push_back(atof(lines[part[0]][0].c_str()));
        if (run == 0)
            first = lines;
    }
    printf("start-up beyond the bare dialog: %.2f ms (the medians above), of which, each part\n"
           "timed alone in a fresh process (median of 9; the list had %s rows):\n",
           beyondBare, first["rows"].empty() ? "?" : first["rows"][0].c_str());
    double sum = 0;
    for (const auto &part : parts) {
        if (times[part[0]].empty())
            continue;
        sum += Median(times[part[0]]);
        printf("%-44s %10.2f ms\n", part[1], Median(times[part[0]]));
    }
    // The dialog's own further work: the finder's crosshair, the icons at
    // two sizes, the layout; and this machine's swings between the starts.
    printf("%-44s %10.2f ms\n", "  the rest: finder, icons, layout; noise", beyondBare - sum);
    // What these parts load, and what a cold load of each costs (psapi.dll
    // and wtsapi32.dll always, loaded at start-up or not).
    std::string loaded, names = " psapi.dll wtsapi32.dll";
    for (const std::string &name : first["loaded"]) {
        loaded += " " + name;
        if (names.find(" " + name) == std::string::npos)
            names += " " + name;
    }
    printf("libraries these parts load:%s\n", loaded.empty() ? " none" : loaded.c_str());
    std::map<std::string, std::vector<double>> loads;
    for (int run = 0; run < 9; ++run) {
        PartLines lines = RunStartParts("load", names);
        for (const auto &line : lines)
            if (!line.second.empty())
                loads[line.first].push_back(atof(line.second[0].c_str()));
    }
    for (const auto &load : loads) {
        char what[80];
        wsprintfA(what, "  a cold load of %s", load.first.c_str());
        printf("%-44s %10.2f ms\n", what, Median(load.second));
    }
}

// On the desktop as it is, and on a busy one: under Wine each call of the
// look is a round trip to the server, some 6 calls a visible window.
void BenchHungWindowLook(const std::string &vantry)
{
    // With the look for a hung window against a copy built without it: the
    // ratio is the look's cost.
    const std::string without = TestProgramDirectory() + "VantryWithoutHungLook.exe";
    CompareStartUps(vantry, without, "start-up: Vantry", "without the hung look", "(target <= 1.05)");
    HANDLE ready = CreateEventA(NULL, TRUE, FALSE, NULL);
    DWORD threadId = 0;
    HANDLE thread = CreateThread(NULL, 0, ShowDesktopWindows, ready, 0, &threadId);
    WaitForSingleObject(ready, 10000);
    char what[80];
    wsprintfA(what, "start-up, %d more windows shown: Vantry", kDesktopWindows);
    CompareStartUps(vantry, without, what, "without the hung look", "(for information)");
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(ready);
}

void BenchStartUp()
{
    char windows[MAX_PATH];
    GetSystemDirectoryA(windows, MAX_PATH);
    const std::string vantry = TestProgramDirectory() + "Vantry.exe";
    const std::string taskManager = std::string(windows) + "\\taskmgr.exe";
    // The floor: the same dialog and list with one row and no process read.
    // Twenty-one starts each, in turn, so that the machine's swings reach both.
    const std::pair<double, double> bare =
        CompareStartUps(vantry, TestProgramDirectory() + "VantryBareDialog.exe",
                        "start-up to a populated list: Vantry", "bare dialog, one row",
                        "(target <= 1.1)", 21);
    BenchStartUpParts(bare.first - bare.second);
    CompareStartUps(vantry, taskManager, "start-up to a populated list: Vantry", "Wine's taskmgr.exe",
                    "(for information)");
    SIZE_T peak = 0;
    StartUpMs(vantry, &peak);
    printf("peak working set of Vantry after start-up: %lu KiB\n",
           static_cast<unsigned long>(peak / 1024));
    BenchHungWindowLook(vantry);
}

}

// With "startup", the start-up figures alone.
int main(int argc, char **argv)
{
    InitCommonControls();
    printf("Vantry benchmark (median of several runs; floors measured in the same run)\n");
    BenchStartUp();
    if (argc >= 2 && strcmp(argv[1], "startup") == 0)
        return 0;
    DialogRunner runner;
    if (!runner.Start()) {
        printf("the dialog did not open\n");
        return 1;
    }
    BenchEnd(runner);
    BenchEndSameName(runner);
    BenchSearch(runner);
    BenchSort(runner);
    BenchRebuild(runner);
    runner.Stop();
    return 0;
}
