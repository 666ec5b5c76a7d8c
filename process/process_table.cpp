// Rebuilds the process list from the live process table.
#include <windows.h>
#include <commctrl.h>
#include <wtsapi32.h>

#include "../app/wait_cursor.h"
#include "../ui/process_list_dialog.h"
#include "platform_calls.h"
#include "privilege.h"
#include "process_identity.h"
#include "process_module.h"

namespace {

const int kMaxProcesses = 1000;
const int kNameChars = 200;
const DWORD kTokenInfoBytes = 800;
const int kFailed = 13;

enum Column { kColumnId = 0, kColumnImage = 1, kColumnPath = 2, kColumnOwner = 3 };

// What the terminal-services enumeration returned: the owner of a process
// whose token cannot be opened is looked up here.
struct SessionProcesses {
    WTS_PROCESS_INFOA *entries;
    DWORD count;
};

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

// Writes the account name (never the domain) of sid into the owner cell.
void SetOwnerCell(HWND list, int row, PSID sid)
{
    char name[kNameChars];
    char domain[kNameChars];
    DWORD nameLength = kNameChars;
    DWORD domainLength = kNameChars;
    SID_NAME_USE use;
    if (platform::LookupAccountSidA(NULL, sid, name, &nameLength, domain, &domainLength, &use))
        SetCell(list, row, kColumnOwner, name);
}

void SetOwnerFromToken(HWND list, int row, HANDLE token)
{
    DWORD info[kTokenInfoBytes / sizeof(DWORD)];
    DWORD length;
    if (platform::GetTokenInformation(token, TokenUser, info, kTokenInfoBytes, &length))
        SetOwnerCell(list, row, reinterpret_cast<TOKEN_USER *>(info)->User.Sid);
}

void SetOwnerFromSessions(HWND list, int row, DWORD processId, const SessionProcesses &sessions)
{
    for (DWORD i = 0; i < sessions.count; ++i) {
        if (sessions.entries[i].ProcessId == processId) {
            SetOwnerCell(list, row, sessions.entries[i].pUserSid);
            return;
        }
    }
}

void FillDetails(HWND list, int row, DWORD processId, const SessionProcesses &sessions)
{
    HMODULE module;
    HANDLE process = OpenProcessModule(processId, &module);
    if (process == NULL)
        return;
    char buffer[MAX_PATH];
    if (platform::GetModuleBaseNameA(process, module, buffer, MAX_PATH) != 0)
        SetCell(list, row, kColumnImage, buffer);
    if (platform::GetModuleFileNameExA(process, module, buffer, MAX_PATH) != 0)
        SetCell(list, row, kColumnPath, buffer);

    HANDLE token;
    if (platform::OpenProcessToken(process, TOKEN_QUERY, &token)) {
        SetOwnerFromToken(list, row, token);
        platform::CloseHandle(token);
        platform::CloseHandle(process);
    } else {
        platform::CloseHandle(process);
        SetOwnerFromSessions(list, row, processId, sessions);
    }
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

    SessionProcesses sessions = { NULL, 0 };
    platform::WTSEnumerateProcessesA(WTS_CURRENT_SERVER_HANDLE, 0, 1, &sessions.entries,
                                     &sessions.count);
    if (sessions.entries == NULL)
        sessions.count = 0;

    // Every row exists before any detail is looked up, so each row's item
    // data is its position in this enumeration. Repainting after each cell
    // would cost far more than the whole table, so the list is drawn once.
    SendMessageA(listWindow, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i)
        InsertRow(listWindow, i, ids[i]);
    for (int j = 0; j < count; ++j)
        FillDetails(listWindow, j, ids[j], sessions);
    SendMessageA(listWindow, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listWindow, NULL, TRUE);

    EndDebugPrivilege(ownToken);
    if (sessions.entries != NULL)
        platform::WTSFreeMemory(sessions.entries);
    lastKey = 0;
    return 1;
}
