// Rebuilds the process list from the live process table.
#include <windows.h>
#include <commctrl.h>
#include <wtsapi32.h>

#include "../app/wait_cursor.h"
#include "../ui/process_list_dialog.h"
#include "account_names.h"
#include "list_text.h"
#include "platform_calls.h"
#include "privilege.h"
#include "process_identity.h"
#include "process_module.h"
#include "process_path.h"

namespace {

const int kMaxProcesses = 1000;
const DWORD kTokenInfoBytes = 800;
const int kFailed = 13;

enum Column { kColumnId = 0, kColumnImage = 1, kColumnPath = 2, kColumnOwner = 3 };

void InsertRow(HWND list, int row, DWORD processId)
{
    char text[16];
    wsprintfA(text, "%d", processId);
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.iSubItem = kColumnId;
    item.pszText = text;
    item.lParam = row;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void SetCell(HWND list, int row, int column, char *text)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text;
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// Where each row's owner is found: its token, or the terminal-services list
// for a process whose token cannot be opened; each account's name is looked
// up once.
struct Owners {
    WTS_PROCESS_INFOA *sessionEntries;
    DWORD sessionCount;
    AccountNames names;
};

void SetOwnerCell(HWND list, int row, PSID sid, Owners *owners)
{
    char name[kAccountNameChars];
    if (LookUpAccountName(&owners->names, sid, name))
        SetCell(list, row, kColumnOwner, name);
}

void SetOwnerFromToken(HWND list, int row, HANDLE token, Owners *owners)
{
    DWORD info[kTokenInfoBytes / sizeof(DWORD)];
    DWORD length;
    if (platform::GetTokenInformation(token, TokenUser, info, kTokenInfoBytes, &length))
        SetOwnerCell(list, row, reinterpret_cast<TOKEN_USER *>(info)->User.Sid, owners);
}

void SetOwnerFromSessions(HWND list, int row, DWORD processId, Owners *owners)
{
    for (DWORD i = 0; i < owners->sessionCount; ++i) {
        if (owners->sessionEntries[i].ProcessId == processId) {
            SetOwnerCell(list, row, owners->sessionEntries[i].pUserSid, owners);
            return;
        }
    }
}

// The name and path the process's loader list gives, for a file the kernel
// cannot name: on Windows XP, one on a device that no drive letter names
// (a network redirector's, say).
bool SetNameAndPathFromModules(HWND list, int row, DWORD processId)
{
    HMODULE module;
    HANDLE process = OpenProcessModule(processId, &module);
    if (process == NULL)
        return false;
    char buffer[MAX_PATH];
    const bool named = platform::GetModuleBaseNameA(process, module, buffer, MAX_PATH) != 0;
    if (named)
        SetCell(list, row, kColumnImage, buffer);
    if (platform::GetModuleFileNameExA(process, module, buffer, MAX_PATH) != 0)
        SetCell(list, row, kColumnPath, buffer);
    platform::CloseHandle(process);
    return named;
}

// The file the process was started from, as the kernel recorded it: the
// loader list in the process's memory says whatever the process wrote there.
bool SetNameAndPath(HWND list, int row, HANDLE process, DWORD processId)
{
    char path[MAX_PATH];
    char name[MAX_PATH];
    if (!ReadKernelImage(process, path, name))
        return SetNameAndPathFromModules(list, row, processId);
    SetCell(list, row, kColumnImage, name);
    SetCell(list, row, kColumnPath, path);
    return true;
}

// Fills a row's name, path and owner from one open of its process. False
// when the row is left without a name.
bool FillDetails(HWND list, int row, DWORD processId, Owners *owners)
{
    HANDLE process = OpenProcessToRead(processId);
    if (process == NULL)
        return false;
    const bool named = SetNameAndPath(list, row, process, processId);
    HANDLE token;
    if (platform::OpenProcessToken(process, TOKEN_QUERY, &token)) {
        SetOwnerFromToken(list, row, token, owners);
        platform::CloseHandle(token);
    } else {
        SetOwnerFromSessions(list, row, processId, owners);
    }
    platform::CloseHandle(process);
    return named;
}

// Names the rows that nothing else named (the idle process, System, and a
// process that refuses even the limited right) from one snapshot of the
// process table, which names every process.
void NameFromSnapshot(HWND list, const DWORD *ids, const bool *unnamed, int count)
{
    HANDLE snapshot = platform::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = platform::Process32FirstW(snapshot, &entry); more;
         more = platform::Process32NextW(snapshot, &entry)) {
        for (int row = 0; row < count; ++row) {
            if (unnamed[row] && ids[row] == entry.th32ProcessID) {
                char name[MAX_PATH];
                ToListText(entry.szExeFile, name, MAX_PATH);
                SetCell(list, row, kColumnImage, name);
            }
        }
    }
    platform::CloseHandle(snapshot);
}

}

// The wait cursor shows while the list is rebuilt: the window does not
// answer until it is done.
int ProcessListDialog::RebuildProcessList()
{
    const WaitCursor wait;
    return FillProcessList();
}

int ProcessListDialog::FillProcessList()
{
    DWORD ids[kMaxProcesses];
    DWORD bytes = 0;
    listTime = SystemTimeNow();
    platform::EnumProcesses(ids, sizeof(ids), &bytes);
    const int count = static_cast<int>(bytes / sizeof(DWORD));
    SendMessageA(listWindow, LVM_DELETEALLITEMS, 0, 0);

    // Without the privilege fewer processes open and their cells stay empty.
    HANDLE ownToken = BeginDebugPrivilege();
    if (ownToken == NULL)
        return kFailed;

    // The account table is large; only its count needs a start.
    Owners owners;
    owners.sessionEntries = NULL;
    owners.sessionCount = 0;
    owners.names.count = 0;
    platform::WTSEnumerateProcessesA(WTS_CURRENT_SERVER_HANDLE, 0, 1, &owners.sessionEntries,
                                     &owners.sessionCount);
    if (owners.sessionEntries == NULL)
        owners.sessionCount = 0;

    // Every row exists before any detail is looked up, so each row's item
    // data is its position in this enumeration. Repainting after each cell
    // would cost far more than the whole table, so the list is drawn once.
    SendMessageA(listWindow, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i)
        InsertRow(listWindow, i, ids[i]);
    bool unnamed[kMaxProcesses];
    bool anyUnnamed = false;
    for (int j = 0; j < count; ++j) {
        unnamed[j] = !FillDetails(listWindow, j, ids[j], &owners);
        anyUnnamed = anyUnnamed || unnamed[j];
    }
    if (anyUnnamed)
        NameFromSnapshot(listWindow, ids, unnamed, count);
    SendMessageA(listWindow, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listWindow, NULL, TRUE);

    EndDebugPrivilege(ownToken);
    if (owners.sessionEntries != NULL)
        platform::WTSFreeMemory(owners.sessionEntries);
    lastKey = 0;
    return 1;
}
