// The work Vantry's start-up does beyond the bare dialog's, part by part, in
// the order the start-up does it, each timed in a fresh process as at a real
// start: the benchmark starts this program several times and takes each
// part's median. Linked with the program's own code and libraries only, so
// that every library a part loads is loaded here too, inside its time.
//     VantryStartParts.exe parts FILE        each part's time, and what it loaded
//     VantryStartParts.exe load FILE NAME... a cold load of each library named
#include <stdio.h>
#include <string.h>

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include "../process/elevation.h"
#include "../process/hung_window.h"
#include "../process/privilege.h"
#include "../process/system_library.h"
#include "../ui/process_list_dialog.h"

namespace {

const int kMaxModules = 256;

double NowMs()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The libraries this process has loaded, by file name.
int LoadedModules(char (*names)[MAX_MODULE_NAME32 + 1])
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    MODULEENTRY32 entry;
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Module32First(snapshot, &entry); more && count < kMaxModules;
         more = Module32Next(snapshot, &entry))
        lstrcpyA(names[count++], entry.szModule);
    CloseHandle(snapshot);
    return count;
}

// A hidden list of the dialog's columns, for the rebuild to fill.
HWND MakeList()
{
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 600, 400, NULL,
                                NULL, NULL, NULL);
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNA column;
        ZeroMemory(&column, sizeof(column));
        column.mask = LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = 100;
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    return list;
}

void TimeParts(FILE *out)
{
    static char before[kMaxModules][MAX_MODULE_NAME32 + 1], after[kMaxModules][MAX_MODULE_NAME32 + 1];
    const int beforeCount = LoadedModules(before);
    g_mainDialog.listWindow = MakeList();

    double start = NowMs();
    EndDebugPrivilege(BeginDebugPrivilege());
    fprintf(out, "privilege %.3f\n", NowMs() - start);
    start = NowMs();
    g_mainDialog.RebuildProcessList();
    fprintf(out, "reading %.3f\n", NowMs() - start);
    fprintf(out, "rows %d\n", static_cast<int>(SendMessageA(g_mainDialog.listWindow, LVM_GETITEMCOUNT, 0, 0)));
    start = NowMs();
    RunsNotElevated();
    fprintf(out, "elevation %.3f\n", NowMs() - start);
    start = NowMs();
    HungWindow hung;
    FindHungWindow(&hung);
    fprintf(out, "hunglook %.3f\n", NowMs() - start);

    fprintf(out, "loaded");
    const int afterCount = LoadedModules(after);
    for (int i = 0; i < afterCount; ++i) {
        bool known = false;
        for (int j = 0; j < beforeCount && !known; ++j)
            known = lstrcmpiA(after[i], before[j]) == 0;
        if (!known)
            fprintf(out, " %s", after[i]);
    }
    fprintf(out, "\n");
}

void TimeLoads(FILE *out, int count, char **names)
{
    for (int i = 0; i < count; ++i) {
        const double start = NowMs();
        const bool loaded = LoadSystemLibrary(names[i]) != NULL;
        fprintf(out, "%s %.3f%s\n", names[i], NowMs() - start, loaded ? "" : " (not loaded)");
    }
}

}

int main(int argc, char **argv)
{
    InitCommonControls();
    FILE *out = argc >= 3 ? fopen(argv[2], "w") : NULL;
    if (out == NULL)
        return 1;
    if (strcmp(argv[1], "parts") == 0)
        TimeParts(out);
    else if (strcmp(argv[1], "load") == 0)
        TimeLoads(out, argc - 3, argv + 3);
    fclose(out);
    return 0;
}
