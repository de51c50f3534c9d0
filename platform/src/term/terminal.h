// The terminal front end: dialogs and message boxes drawn with curses, answering to the
// keyboard. Keys become the same actions as the input script's.
#pragma once

#include <windows.h>

#include "host/host.h"

#include <optional>
#include <string>

namespace term {

// True when standard input and output are a terminal that curses can drive.
bool Available();

// Holds the screen in curses mode while a dialog or a box is shown; the outermost one gives
// the terminal back.
class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
};

// One key press as an input action ("key NAME" or "type C"). Redraw: the terminal's size
// changed, or a key without a meaning here came; End: the input has ended (Ctrl-D, EOF).
enum class KeyResult { Action, Redraw, End };
KeyResult ReadKey(host::ScriptAction& action);

// Draws the dialog and waits for one key; nullopt when the input has ended.
std::optional<host::ScriptAction> ReadDialogInput(HWND dialog);

// Cells that a text takes on the terminal (full-width characters take two).
int CellWidth(const std::wstring& text);
// The longest start of text that fits into cells.
std::wstring FitCells(const std::wstring& text, int cells);

}  // namespace term
