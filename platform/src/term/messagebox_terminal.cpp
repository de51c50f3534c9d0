// A message box on the terminal: a framed box in the middle of the screen, over whatever is
// shown (a dialog stays visible under it), with its caption, text and buttons; the focused
// button is shown in reverse. Keys: Tab/arrows move, Enter/Space choose, Escape, y/n.
#include "term/terminal.h"
#include "user/messagebox.h"

#include <curses.h>

#include <algorithm>
#include <vector>

namespace {

// The text's lines, broken at line feeds and where a line would exceed maxCells.
std::vector<std::wstring> WrapText(const std::wstring& text, int maxCells) {
    std::vector<std::wstring> lines(1);
    for (wchar_t ch : text) {
        if (ch == L'\r') continue;
        if (ch == L'\n') { lines.emplace_back(); continue; }
        const wchar_t shown = ch < 0x20 || ch == 0x7F ? L'?' : ch;
        if (term::CellWidth(lines.back() + shown) > maxCells) lines.emplace_back();
        lines.back().push_back(shown);
    }
    return lines;
}

// The focused button reads "> label <", the others "[ label ]": visible without reverse too.
std::wstring ButtonText(int id, bool focused) {
    return std::wstring(focused ? L"> " : L"[ ") + user::ButtonLabel(id) + (focused ? L" <" : L" ]");
}

void DrawBox(const std::wstring& caption, const std::wstring& text, const user::MessageBoxModel& model) {
    const int maxInner = std::max(10, COLS - 6);
    const std::vector<std::wstring> lines = WrapText(text, maxInner);
    int buttonsCells = 0;
    for (int id : model.buttons) buttonsCells += term::CellWidth(ButtonText(id, false)) + 1;
    int inner = std::max(term::CellWidth(caption) + 2, buttonsCells);
    for (const std::wstring& line : lines) inner = std::max(inner, term::CellWidth(line));
    inner = std::min(inner + 2, COLS - 2);
    const int rows = std::min(static_cast<int>(lines.size()) + 5, LINES);  // caption, text, gap, buttons
    const int top = std::max(0, (LINES - rows) / 2);
    const int left = std::max(0, (COLS - inner - 2) / 2);

    WINDOW* win = newwin(rows, inner + 2, top, left);
    if (!win) return;
    werase(win);
    box(win, 0, 0);
    wattron(win, A_REVERSE | A_BOLD);
    mvwhline(win, 1, 1, ' ', inner);
    mvwaddwstr(win, 1, 2, term::FitCells(caption, inner - 2).c_str());
    wattroff(win, A_REVERSE | A_BOLD);
    for (size_t i = 0; i < lines.size() && static_cast<int>(i) + 2 < rows - 2; ++i)
        mvwaddwstr(win, static_cast<int>(i) + 2, 2, term::FitCells(lines[i], inner - 2).c_str());
    int col = 1 + std::max(0, (inner - buttonsCells) / 2);
    for (size_t i = 0; i < model.buttons.size(); ++i) {
        const std::wstring label = ButtonText(model.buttons[i], i == model.focused);
        if (i == model.focused) wattron(win, A_REVERSE);
        mvwaddwstr(win, rows - 2, col, term::FitCells(label, std::max(0, inner + 1 - col)).c_str());
        if (i == model.focused) wattroff(win, A_REVERSE);
        col += term::CellWidth(label) + 1;
    }
    curs_set(0);
    wrefresh(win);
    delwin(win);
}

}  // namespace

namespace user {

int RunMessageBoxOnTerminal(const std::wstring& caption, const std::wstring& text, MessageBoxModel& box) {
    const term::Session screen;
    for (;;) {
        DrawBox(caption, text, box);
        host::ScriptAction action{host::ScriptAction::Key, L""};
        switch (term::ReadKey(action)) {
        case term::KeyResult::End:
            return box.DefaultResult();
        case term::KeyResult::Redraw:
            touchwin(stdscr);
            refresh();
            break;
        case term::KeyResult::Action:
            if (const std::optional<int> result = box.Press(action.text)) {
                touchwin(stdscr);  // what lay under the box is drawn again
                refresh();
                return *result;
            }
        }
    }
}

}  // namespace user
