// Runs the program's one dialog, g_mainDialog, from the real template on a
// thread of its own, so a test can drive it the way the user's input would:
// messages to the window, and answers to the message boxes it opens.
#ifndef VANTRY_TEST_DIALOG_RUNNER_H
#define VANTRY_TEST_DIALOG_RUNNER_H

#include <windows.h>

#include <functional>
#include <string>

class DialogRunner {
public:
    DialogRunner();
    ~DialogRunner();

    // Opens the dialog and waits until its start-up sequence has run.
    bool Start();
    // Closes it with IDCANCEL (Esc, the close box) and returns DoModal's result.
    INT_PTR Stop();

    HWND Window() const { return window_; }
    HWND List() const;
    DWORD ThreadId() const { return threadId_; }

    // Runs work on the dialog's thread, inside its message loop, and waits.
    void Run(const std::function<void()> &work);
    // Posts a command as a button, its mnemonic or Enter would.
    void PostCommand(int id);
    // The same, returning once the command has been handled.
    void SendCommand(int id);

private:
    static DWORD WINAPI ThreadMain(void *self);
    static LRESULT CALLBACK InvokerProc(HWND, UINT, WPARAM, LPARAM);

    HANDLE thread_;
    DWORD threadId_;
    HWND window_;
    HWND invoker_;
    HANDLE ready_;
    INT_PTR result_;
};

// Reads a cell of the list (any thread of this process).
std::string CellText(HWND list, int row, int column);
int RowCount(HWND list);
int SelectedRow(HWND list);
// The row whose identifier cell reads processId, or -1.
int FindRowOfProcess(HWND list, DWORD processId);
LPARAM RowItemData(HWND list, int row);
// Selects a row as a mouse click would leave it: selected and focused. A
// missing row (-1) selects nothing and returns false: -1 would select them all.
bool ClickRow(HWND list, int row);
// Whether the window is of that class (class names compare without case).
bool IsWindowOfClass(HWND window, const char *className);

#endif
