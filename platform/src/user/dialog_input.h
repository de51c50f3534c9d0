// Input to a dialog, the same from the input script and from the terminal: typed characters
// go to the focused control, named keys through the dialog's keyboard navigation.
#pragma once

#include <windows.h>

#include "host/host.h"

namespace user {

// Applies one action ("type", "key", "snapshot") to the dialog. False for an unknown key.
bool ApplyDialogInput(HWND dialog, const host::ScriptAction& action);
// Writes the dialog's controls to the journal (api "snapshot").
void JournalDialogSnapshot(HWND dialog);
// Runs the dialog until EndDialog; returns its result. When the input runs out the dialog
// gets Escape, and a dialog that still stays open then is ended with IDCANCEL.
INT_PTR RunModalLoop(HWND dialog);
// The shift key's state, as GetKeyState reports it (held down for "shift-tab").
void SetShiftDown(bool down);

}  // namespace user
