// The curses screen: started when the first dialog or box is shown on a terminal, given back
// when the last one closes; keys translated into input actions; text widths in cells.
#include "term/terminal.h"

#include <curses.h>

#include <clocale>
#include <cstdlib>
#include <cwchar>

namespace {

enum class CursesState { NotTried, Off, On };
CursesState state = CursesState::NotTried;
SCREEN* screen = nullptr;
int sessions = 0;

constexpr int kEscapeDelayMs = 25;  // Escape alone, not the start of a key sequence

void StartCurses() {
    if (screen) {
        reset_prog_mode();
        refresh();
        return;
    }
    screen = newterm(nullptr, stdout, stdin);
    if (!screen) {
        state = CursesState::Off;
        return;
    }
    set_term(screen);
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    set_escdelay(kEscapeDelayMs);
    // Key reads refresh stdscr: paint it once now, or the first read would blank out a box
    // drawn in a window of its own.
    refresh();
}

}  // namespace

namespace term {

bool Available() {
    if (state == CursesState::NotTried) {
        state = host::InteractiveTerminal() ? CursesState::On : CursesState::Off;
        // Wide texts need a multibyte locale for drawing and for their widths in cells.
        if (state == CursesState::On && MB_CUR_MAX == 1) std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    return state == CursesState::On;
}

Session::Session() {
    if (!Available()) return;
    if (sessions++ == 0) StartCurses();
}

Session::~Session() {
    if (state != CursesState::On || sessions == 0) return;
    if (--sessions == 0) {
        clear();
        refresh();
        endwin();
    }
}

KeyResult ReadKey(host::ScriptAction& action) {
    wint_t ch = 0;
    const int kind = get_wch(&ch);
    if (kind == ERR) return KeyResult::End;
    action.kind = host::ScriptAction::Key;
    if (kind == KEY_CODE_YES) {
        switch (ch) {
        case KEY_BTAB: action.text = L"shift-tab"; break;
        case KEY_UP: action.text = L"up"; break;
        case KEY_DOWN: action.text = L"down"; break;
        case KEY_LEFT: action.text = L"left"; break;
        case KEY_RIGHT: action.text = L"right"; break;
        case KEY_BACKSPACE: action.text = L"backspace"; break;
        case KEY_ENTER: action.text = L"enter"; break;
        default: return KeyResult::Redraw;  // KEY_RESIZE and keys without a meaning here
        }
        return KeyResult::Action;
    }
    switch (ch) {
    case L'\t': action.text = L"tab"; break;
    case L'\r':
    case L'\n': action.text = L"enter"; break;
    case 0x1B: action.text = L"escape"; break;
    case L' ': action.text = L"space"; break;
    case 0x08:
    case 0x7F: action.text = L"backspace"; break;
    case 0x04: return KeyResult::End;  // Ctrl-D: the input has ended
    default:
        if (ch < 0x20) return KeyResult::Redraw;
        action.kind = host::ScriptAction::Type;
        action.text = std::wstring(1, static_cast<wchar_t>(ch));
    }
    return KeyResult::Action;
}

int CellWidth(const std::wstring& text) {
    int cells = 0;
    for (wchar_t ch : text) {
        const int w = ::wcwidth(ch);
        cells += w < 0 ? 1 : w;
    }
    return cells;
}

std::wstring FitCells(const std::wstring& text, int cells) {
    std::wstring fitted;
    int used = 0;
    for (wchar_t ch : text) {
        const int w = ::wcwidth(ch) < 0 ? 1 : ::wcwidth(ch);
        if (used + w > cells) break;
        fitted.push_back(ch);
        used += w;
    }
    return fitted;
}

}  // namespace term
