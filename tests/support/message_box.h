// Finding and answering the message boxes that the dialog opens.
#ifndef VANTRY_TEST_MESSAGE_BOX_H
#define VANTRY_TEST_MESSAGE_BOX_H

#include <windows.h>

#include <string>

class DialogRunner;

// A message box shown on the given thread, or NULL after the timeout.
HWND WaitForMessageBox(DWORD threadId, HWND dialog, DWORD milliseconds = 5000);
std::string WindowTextOf(HWND window);
// The box's message text, as code page bytes.
std::string MessageBoxText(HWND box);
bool HasButton(HWND box, int id);
// Whether the box shows the platform's exclamation icon.
bool ShowsExclamationIcon(HWND box);
// Selects a row of the dialog's list and asks to end its process, as the
// user would with a click and Enter; returns the warning box, or NULL (also
// for a missing row, -1, which asks nothing).
HWND AskToEndRow(DialogRunner &runner, int row);
// Answers the box as a click on the button would, and waits until it is gone.
void PressButton(HWND box, int id);
// Answers the box with Enter, whatever its default button is, and waits.
void PressEnter(HWND box);
// The identifier of the button Enter would press, or 0.
int DefaultButton(HWND box);

#endif
