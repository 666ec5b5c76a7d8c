// The main window: the process list and its two buttons.
#ifndef VANTRY_PROCESS_LIST_DIALOG_H
#define VANTRY_PROCESS_LIST_DIALOG_H

#include <windows.h>

#include "../app/modal_dialog.h"
#include "../process/end_offer.h"
#include "../process/process_group.h"
#include "../process/process_table.h"
#include "window_finder.h"

// Like ModalDialog, it initialises nothing: the one instance has static
// storage and starts zeroed, and the dialog's start-up sets the rest.
// cppcheck-suppress noConstructor
class ProcessListDialog : public ModalDialog, private FinderRows, private ProcessTableReceiver {
public:
    INT_PTR DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Reached by the list's sort callback, the entry point and the tests.
    int RebuildProcessList();
    int CompareRows(LPARAM item1, LPARAM item2, int column);
    int SelectByPid(int processId);
    int TypeAheadSearch(char key);
    void SortByColumnClick(int column);
    void SortList(int column);
    // The table as it is read, into the rows (process_rows.cpp); public for
    // the benchmark, which fills the list the same way.
    void TakeIdentifiers(const DWORD *ids, int count) override;
    void TakeRecord(int index, const ProcessRecord &record) override;

    char lastKey;
    HWND listWindow;
    LONG sortDirection[4];
    LONG sortColumn;
    // The process the command line names, selected at start.
    bool selectAtStart;
    DWORD startProcessId;

private:
    int SetupColumns();
    int LayoutControls(int width, int height);

    void InitializeDialog();
    void RunCommand(int id);
    void EndProcessCommand();
    void RefreshCommand();
    void ReportRowGone();
    bool ReportEndResult(int processId, EndResult result, const char *count);
    void ShowFailure(const char *text);
    void CopyCommand();
    void OpenLocationCommand();
    void PropertiesCommand();
    void EndTreeCommand();
    void EndSameNameCommand();
    void GatherRowsNamed(const char *imageName, int selectedRow, ProcessGroup *group);
    void EndGroup(const ProcessGroup &group, const char *imageName, const char *groupFormat,
                  int number);
    bool ConfirmEnd(const char *format, const char *imageName, int number, bool critical);
    void OnListKey(WORD key);
    void OnContextMenu(HWND from, LPARAM where);
    bool ReadSelectedImage(wchar_t (&file)[MAX_PATH], const char *failure);
    int SelectedRow() const override;
    int SelectedProgramRow() const;
    int SelectedRowToEnd(EndScope scope) const;
    int ProcessIdOfRow(int row) const;
    void SelectRow(int row);
    void ShowSortArrow(int column);
    void OnNotify(const NMHDR *header);
    void OnDpiChanged(UINT newDpi, const RECT *suggested);
    void LayoutToClientArea();
    void SetSmallIcon();
    int Scaled(int figure) const;

    // The key of each row of the last rebuild, by the row's item data (its
    // place in that rebuild's enumeration); every row has one, of the row's
    // identifier. A row stands for the process of its key, never for
    // another that holds its identifier later.
    ProcessKey rowKeys[kMaxProcesses];
    int rowKeyCount;
    ProcessKey KeyOfRow(int row) const;
    // The DPI the dialog is drawn at; every layout figure is scaled to it.
    UINT dpi;

    // The word typed so far, and when its last key came (type_ahead_search.cpp).
    bool AddToWord(char key);
    char word[64];
    int wordLength;
    DWORD wordTime;

    // The finder, and the rows it asks for (row_selection.cpp).
    int RowOfProcess(int processId, bool rebuild) override;
    void ShowRow(int row) override;
    void ChooseRow(int row) override;
    int RowOfPid(int processId);
    int RowOfKey(const ProcessKey &key);
    WindowFinder finder;

    // Restarting as administrator.
    enum RestartResult { kRestarted, kRestartCancelled, kRestartFailed };
    RestartResult RestartElevated(bool withProcess, DWORD processId);
    bool OfferRestartAfterFailedEnd(int processId, const char *failure);
    void RestartCommand();
    void AddRestartToWindowMenu();
    // At start: the command line's process, or else the first hung
    // window's (start_selection.cpp).
    void SelectAtStart();

    // The window menu's "always on top" (always_on_top.cpp).
    void AddAlwaysOnTopToWindowMenu();
    void SetAlwaysOnTop(bool onTop);
    bool IsAlwaysOnTop() const;
};

// The list-view comparison callback; forwards to g_mainDialog.
int CALLBACK SortCallback(LPARAM item1, LPARAM item2, LPARAM column);

extern ProcessListDialog g_mainDialog;

// A name cell is read whole into this many characters, terminator included.
const int kNameChars = MAX_PATH;

// Whether a row's image name names its file exactly, so that the rows of
// that name can be told: not empty, and not converted with a stand-in.
bool IsExactName(const char *imageName);

#endif
