// The main window: the process list and its two buttons.
#ifndef VANTRY_PROCESS_LIST_DIALOG_H
#define VANTRY_PROCESS_LIST_DIALOG_H

#include <windows.h>

#include "../app/modal_dialog.h"

class ProcessListDialog : public ModalDialog {
public:
    INT_PTR DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    int SetupColumns();
    int LayoutControls(int width, int height);
    int RebuildProcessList();
    int FillProcessList();
    int CompareRows(LPARAM item1, LPARAM item2, int column);
    int SelectByPid(int processId);
    int TypeAheadSearch(char key);

    void InitializeDialog();
    void RunCommand(int id);
    void EndProcessCommand();
    void RefreshCommand();
    void ReportRowGone();
    void CopyCommand();
    void OpenLocationCommand();
    void PropertiesCommand();
    void EndTreeCommand();
    void OnListKey(WORD key);
    void OnContextMenu(HWND from, LPARAM where);
    bool ReadSelectedImage(wchar_t (&file)[MAX_PATH], const char *failure);
    int SelectedRow() const;
    int ProcessIdOfRow(int row) const;
    void SortByColumnClick(int column);
    void SortList(int column);
    void SelectRow(int row);
    void OnNotify(const NMHDR *header);
    void OnDpiChanged(UINT newDpi, const RECT *suggested);
    void LayoutToClientArea();
    void SetSmallIcon();
    int Scaled(int figure) const;

    char lastKey;
    HWND listWindow;
    LONG sortDirection[4];
    LONG sortColumn;
    // When the list was last read (a FILETIME count): a row stands for the
    // process that held its identifier then, never for a later one.
    ULONGLONG listTime;
    // The DPI the dialog is drawn at; every layout figure is scaled to it.
    UINT dpi;

    // The finder: a crosshair the user drags onto a window to select its
    // process (window_finder.cpp).
    void CreateFinder();
    void LayoutFinder(int width, int height);
    void ShowFinder(bool show);
    bool FinderDragOn() const { return finderDrag != 0; }
    void StartFinderDrag(LPARAM where);
    void MoveFinderDrag(LPARAM where);
    void DropFinder(LPARAM where);
    void CancelFinderDrag();
    void FinderCaptureLost();
    void ShowRowDuringDrag(int row);
    int RowOfPid(int processId);

    HWND finderWindow;
    HWND finderTip;
    RECT finderPlace;
    bool finderFits;
    int finderDrag;  // 0: none, or the stage of the drag
    int rowBeforeDrag;

    // Restarting as administrator, and the process the command line names.
    enum RestartResult { kRestarted, kRestartCancelled, kRestartFailed };
    RestartResult RestartElevated(bool withProcess, DWORD processId);
    bool OfferRestartAfterFailedEnd(int processId, const char *failure);
    void RestartCommand();
    void AddRestartToWindowMenu();
    bool selectAtStart;
    DWORD startProcessId;
};

// The list-view comparison callback; forwards to g_mainDialog.
int CALLBACK SortCallback(LPARAM item1, LPARAM item2, LPARAM column);

extern ProcessListDialog g_mainDialog;

#endif
