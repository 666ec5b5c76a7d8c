#include "message_box.h"

#include "dialog_runner.h"

namespace {

struct Search {
    HWND dialog;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM lParam)
{
    Search *search = reinterpret_cast<Search *>(lParam);
    if (window != search->dialog && IsWindowOfClass(window, "#32770") && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct StaticSearch {
    bool wantIcon;
    HWND found;
};

BOOL CALLBACK FindStatic(HWND child, LPARAM lParam)
{
    StaticSearch *search = reinterpret_cast<StaticSearch *>(lParam);
    if (!IsWindowOfClass(child, "Static"))
        return TRUE;
    const bool isIcon = (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    if (isIcon == search->wantIcon) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND FindStaticChild(HWND box, bool wantIcon)
{
    StaticSearch search = { wantIcon, NULL };
    EnumChildWindows(box, FindStatic, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void WaitUntilGone(HWND box)
{
    for (int i = 0; i < 250 && IsWindow(box); ++i)
        Sleep(20);
}

}

HWND WaitForMessageBox(DWORD threadId, HWND dialog, DWORD milliseconds)
{
    for (DWORD waited = 0; waited <= milliseconds; waited += 20) {
        Search search = { dialog, NULL };
        EnumThreadWindows(threadId, FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found != NULL)
            return search.found;
        Sleep(20);
    }
    return NULL;
}

std::string WindowTextOf(HWND window)
{
    char text[1024];
    text[0] = '\0';
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string MessageBoxText(HWND box)
{
    HWND text = GetDlgItem(box, 0xFFFF);
    if (text == NULL)
        text = FindStaticChild(box, false);
    return text != NULL ? WindowTextOf(text) : std::string();
}

bool HasButton(HWND box, int id)
{
    return GetDlgItem(box, id) != NULL;
}

bool ShowsExclamationIcon(HWND box)
{
    HWND icon = FindStaticChild(box, true);
    if (icon == NULL)
        return false;
    HICON shown = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
    return shown != NULL && shown == LoadIconA(NULL, IDI_EXCLAMATION);
}

void PressButton(HWND box, int id)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    WaitUntilGone(box);
}

void PressEnter(HWND box)
{
    // The box's own loop hands keys for the box to the dialog manager.
    PostMessageA(box, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(box, WM_KEYUP, VK_RETURN, 0xC0000001);
    WaitUntilGone(box);
}

int DefaultButton(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child != NULL;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        if (IsWindowOfClass(child, "Button") && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return GetDlgCtrlID(child);
    }
    return 0;
}

HWND AskToEndRow(DialogRunner &runner, int row)
{
    if (!ClickRow(runner.List(), row))
        return NULL;
    runner.PostCommand(IDOK);
    return WaitForMessageBox(runner.ThreadId(), runner.Window());
}
