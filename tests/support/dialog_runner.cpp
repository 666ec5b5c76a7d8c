#include "dialog_runner.h"

#include <commctrl.h>
#include <stdlib.h>

#include "../../res/resource.h"
#include "../../ui/list_cell.h"
#include "../../ui/process_list_dialog.h"

namespace {

const UINT kInvokeMessage = WM_APP + 1;
const char kInvokerClass[] = "VantryTestInvoker";

}

DialogRunner::DialogRunner()
    : thread_(NULL), threadId_(0), window_(NULL), invoker_(NULL), ready_(NULL), result_(-1)
{
}

DialogRunner::~DialogRunner()
{
    if (thread_ != NULL)
        Stop();
}

LRESULT CALLBACK DialogRunner::InvokerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kInvokeMessage) {
        (*reinterpret_cast<const std::function<void()> *>(lParam))();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI DialogRunner::ThreadMain(void *self)
{
    DialogRunner *runner = static_cast<DialogRunner *>(self);
    runner->invoker_ = CreateWindowExA(0, kInvokerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                       GetModuleHandleA(NULL), NULL);
    SetEvent(runner->ready_);
    runner->result_ = g_mainDialog.DoModal(GetModuleHandleA(NULL), IDD_PROCESS_LIST,
                                           GetDesktopWindow(), 0);
    DestroyWindow(runner->invoker_);
    return 0;
}

bool DialogRunner::Start()
{
    InitCommonControls();
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.lpfnWndProc = InvokerProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = kInvokerClass;
    RegisterClassA(&windowClass);

    // dialogWindow is never cleared, so a new dialog shows as a new handle.
    HWND previous = g_mainDialog.dialogWindow.handle;
    ready_ = CreateEventA(NULL, TRUE, FALSE, NULL);
    thread_ = CreateThread(NULL, 0, ThreadMain, this, 0, &threadId_);
    WaitForSingleObject(ready_, 10000);
    for (int i = 0; i < 1000; ++i) {
        HWND current = g_mainDialog.dialogWindow.handle;
        if (current != previous && current != NULL && IsWindow(current)) {
            window_ = current;
            // Returns once the dialog thread is idle, i.e. WM_INITDIALOG is done.
            Run([] {});
            return true;
        }
        Sleep(10);
    }
    return false;
}

INT_PTR DialogRunner::Stop()
{
    if (thread_ == NULL)
        return result_;
    if (window_ != NULL && IsWindow(window_))
        PostMessageA(window_, WM_COMMAND, IDCANCEL, 0);
    WaitForSingleObject(thread_, 20000);
    CloseHandle(thread_);
    CloseHandle(ready_);
    thread_ = NULL;
    return result_;
}

HWND DialogRunner::List() const
{
    return GetDlgItem(window_, IDC_PROCESS_LIST);
}

void DialogRunner::Run(const std::function<void()> &work)
{
    SendMessageA(invoker_, kInvokeMessage, 0, reinterpret_cast<LPARAM>(&work));
}

void DialogRunner::PostCommand(int id)
{
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void DialogRunner::SendCommand(int id)
{
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

std::string CellText(HWND list, int row, int column)
{
    char text[1024];
    ReadListCell(list, row, column, text, sizeof(text));
    return text;
}

int RowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int SelectedRow(HWND list)
{
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int FindRowOfProcess(HWND list, DWORD processId)
{
    const int count = RowCount(list);
    for (int row = 0; row < count; ++row) {
        if (strtoul(CellText(list, row, 0).c_str(), NULL, 10) == processId)
            return row;
    }
    return -1;
}

LPARAM RowItemData(HWND list, int row)
{
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

bool ClickRow(HWND list, int row)
{
    // Row -1 would select every row, and a command after it would act on
    // whichever process the list happens to hold.
    if (row < 0)
        return false;
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    return true;
}

bool IsWindowOfClass(HWND window, const char *className)
{
    char actual[64];
    return GetClassNameA(window, actual, sizeof(actual)) > 0 && lstrcmpiA(actual, className) == 0;
}
