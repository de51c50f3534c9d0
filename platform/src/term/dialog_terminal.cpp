// A dialog on the terminal: the frame with its caption on top and every control at its
// template position, dialog units scaled to cells (5 units per 2 columns, 8 per row). The
// focused control is shown in reverse and marked with '>', the caret stands at the end of
// the focused edit.
#include "term/terminal.h"

#include "user/window.h"

#include <curses.h>

#include <algorithm>

namespace {

using user::Window;
using user::WindowKind;

constexpr int kUnitsPerTwoColumns = 5;
constexpr int kUnitsPerRow = 8;
constexpr int kSingleLineHeight = 15;  // a control is drawn on the row of its middle line

int Columns(int units) { return units * 2 / kUnitsPerTwoColumns; }

struct Frame {
    int top, left, rows, columns;  // the whole box on the screen, border included
    int Bottom() const { return top + rows - 1; }
    int Right() const { return left + columns - 1; }
};

// Text that curses draws cell for cell: control characters would take several cells.
std::wstring Printable(const std::wstring& text) {
    std::wstring out = text;
    for (wchar_t& ch : out)
        if (ch < 0x20 || ch == 0x7F) ch = L'?';
    return out;
}

void Put(int row, int col, const std::wstring& text, int maxCells, attr_t attributes) {
    if (maxCells <= 0) return;
    attron(attributes);
    mvaddwstr(row, col, term::FitCells(Printable(text), maxCells).c_str());
    attroff(attributes);
}

void DrawFrame(const Frame& frame, const std::wstring& caption, bool okButton) {
    for (int row = frame.top; row <= frame.Bottom(); ++row) mvhline(row, frame.left, ' ', frame.columns);
    mvaddch(frame.top, frame.left, ACS_ULCORNER);
    mvhline(frame.top, frame.left + 1, ACS_HLINE, frame.columns - 2);
    mvaddch(frame.top, frame.Right(), ACS_URCORNER);
    mvvline(frame.top + 1, frame.left, ACS_VLINE, frame.rows - 2);
    mvvline(frame.top + 1, frame.Right(), ACS_VLINE, frame.rows - 2);
    mvaddch(frame.Bottom(), frame.left, ACS_LLCORNER);
    mvhline(frame.Bottom(), frame.left + 1, ACS_HLINE, frame.columns - 2);
    mvaddch(frame.Bottom(), frame.Right(), ACS_LRCORNER);
    const int inner = frame.columns - 2;
    attron(A_REVERSE);
    mvhline(frame.top + 1, frame.left + 1, ' ', inner);
    attroff(A_REVERSE);
    const std::wstring ok = okButton ? L"[OK]" : L"";
    Put(frame.top + 1, frame.left + 2, caption, inner - 2 - term::CellWidth(ok), A_REVERSE | A_BOLD);
    if (okButton) Put(frame.top + 1, frame.Right() - 1 - term::CellWidth(ok), ok, term::CellWidth(ok), A_REVERSE | A_BOLD);
}

// Draws one control; returns the caret's cell when it is the focused edit.
void DrawControl(const Frame& frame, Window& control, bool focused, int& caretRow, int& caretCol) {
    const int row = frame.top + 2 + (control.y + std::min<int>(control.cy, kSingleLineHeight) / 2) / kUnitsPerRow;
    const int col = frame.left + 1 + Columns(control.x);
    const int width = std::max(1, Columns(control.cx));
    const int room = frame.Right() - col;  // cells left inside the frame
    if (row >= frame.Bottom() || room <= 0) return;
    const attr_t focus = focused ? A_REVERSE : A_NORMAL;
    // The focused control is marked in the cell before it too, for terminals without reverse.
    if (focused && col > frame.left + 1) Put(row, col - 1, L">", 1, A_BOLD);
    switch (control.kind) {
    case WindowKind::Static: {
        // Labels are not cut to their box: terminal cells are coarser than the device's font.
        const int cells = term::CellWidth(control.text);
        int start = col;
        if ((control.style & 0x3) == SS_RIGHT && cells < width) start = col + width - cells;
        else if ((control.style & 0x3) == SS_CENTER && cells < width) start = col + (width - cells) / 2;
        Put(row, start, control.text, frame.Right() - start, A_NORMAL);
        break;
    }
    case WindowKind::Edit: {
        // The field's free cells are drawn as '_' so that an empty edit shows on any terminal.
        const int field = std::min(width, room);
        std::wstring shown = Printable(control.text);
        while (!shown.empty() && term::CellWidth(shown) > field - 1) shown.erase(0, 1);  // the end stays visible
        const int used = term::CellWidth(shown);
        Put(row, col, shown + std::wstring(static_cast<size_t>(field - used), L'_'), field, focus);
        if (focused) {
            caretRow = row;
            caretCol = col + used;
        }
        break;
    }
    case WindowKind::Button: {
        std::wstring shown;
        if (control.IsCheckBox()) {
            const bool radio = control.ButtonType() == BS_RADIOBUTTON || control.ButtonType() == BS_AUTORADIOBUTTON;
            const wchar_t mark = control.check == BST_CHECKED ? L'x' : control.check == BST_INDETERMINATE ? L'-' : L' ';
            shown = std::wstring(radio ? L"(" : L"[") + mark + (radio ? L") " : L"] ") + control.text;
        } else {
            shown = L"< " + control.text + L" >";
        }
        Put(row, col, shown, room, focus);
        break;
    }
    case WindowKind::ComboBox: {
        // The selection in brackets and a marker for the list behind it.
        const int textCells = std::max(1, std::min(width, room) - 4);
        std::wstring shown = term::FitCells(control.DisplayText(), textCells);
        shown += std::wstring(static_cast<size_t>(textCells - term::CellWidth(shown)), L' ');
        Put(row, col, L"[" + shown + L"]v", room, focus);
        break;
    }
    default:
        Put(row, col, control.text, std::min(width, room), focus);
    }
}

void DrawDialog(Window& dialog) {
    erase();
    Frame frame;
    frame.top = std::max(0, dialog.y / kUnitsPerRow);
    frame.left = std::max(0, Columns(dialog.x));
    frame.rows = dialog.cy / kUnitsPerRow + 3;  // border, caption, controls, border
    frame.columns = Columns(dialog.cx) + 2;
    frame.rows = std::max(3, std::min(frame.rows, LINES - frame.top));
    frame.columns = std::max(4, std::min(frame.columns, COLS - frame.left));
    DrawFrame(frame, dialog.text, (dialog.exStyle & WS_EX_CAPTIONOKBTN) != 0);
    int caretRow = -1, caretCol = -1;
    // Labels first, so that a long label never hides a control that takes input.
    for (int pass = 0; pass < 2; ++pass)
        for (Window* control : dialog.children)
            if ((control->kind == WindowKind::Static) == (pass == 0) && (control->style & WS_VISIBLE))
                DrawControl(frame, *control, control->Handle() == GetFocus(), caretRow, caretCol);
    curs_set(caretRow >= 0 ? 1 : 0);
    if (caretRow >= 0) move(caretRow, caretCol);
    refresh();
}

}  // namespace

namespace term {

std::optional<host::ScriptAction> ReadDialogInput(HWND handle) {
    Session session;
    for (;;) {
        Window* dialog = user::Lookup(handle);
        if (!dialog) return std::nullopt;
        DrawDialog(*dialog);
        host::ScriptAction action{host::ScriptAction::Key, L""};
        switch (ReadKey(action)) {
        case KeyResult::Action: return action;
        case KeyResult::End: return std::nullopt;
        case KeyResult::Redraw: break;
        }
    }
}

}  // namespace term
