// MessageBoxW: a modal box answered from the terminal or from the input script, and
// journaled with its caption, text, style and result.
#include <windows.h>

#include "host/host.h"
#include "term/terminal.h"
#include "user/messagebox.h"

#include <vector>

namespace {

std::vector<int> ButtonsOf(UINT type) {
    switch (type & 0xF) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    default: return {IDOK};
    }
}

}  // namespace

namespace user {

MessageBoxModel::MessageBoxModel(UINT type) : buttons(ButtonsOf(type)) {
    const size_t defaultIndex = (type & 0xF00) >> 8;
    focused = defaultIndex < buttons.size() ? defaultIndex : 0;
}

std::optional<int> MessageBoxModel::Press(const std::wstring& key) {
    auto has = [this](int id) {
        for (int b : buttons)
            if (b == id) return true;
        return false;
    };
    if (key == L"enter" || key == L"space") return buttons[focused];
    if (key == L"tab" || key == L"right" || key == L"down") { focused = (focused + 1) % buttons.size(); return std::nullopt; }
    if (key == L"shift-tab" || key == L"left" || key == L"up") { focused = (focused + buttons.size() - 1) % buttons.size(); return std::nullopt; }
    if (key == L"y" && has(IDYES)) return IDYES;
    if (key == L"n" && has(IDNO)) return IDNO;
    if (key == L"escape") {
        if (has(IDCANCEL)) return IDCANCEL;
        if (buttons.size() == 1) return buttons[0];
    }
    return std::nullopt;
}

int MessageBoxModel::DefaultResult() const {
    return buttons[focused];
}

const wchar_t* ButtonLabel(int id) {
    switch (id) {
    case IDOK: return L"OK";
    case IDCANCEL: return L"キャンセル";
    case IDYES: return L"はい(Y)";
    case IDNO: return L"いいえ(N)";
    default: return L"?";
    }
}

void JournalMessageBoxSnapshot(const std::wstring& caption, const std::wstring& text, const MessageBoxModel& box) {
    std::string controls = "[{\"id\":65535,\"class\":\"STATIC\",\"text\":" + host::JournalEntry::Quote(host::ToUtf8(text)) +
                           ",\"focus\":false}";
    for (size_t i = 0; i < box.buttons.size(); ++i)
        controls += ",{\"id\":" + std::to_string(box.buttons[i]) + ",\"class\":\"BUTTON\",\"text\":" +
                    host::JournalEntry::Quote(host::ToUtf8(ButtonLabel(box.buttons[i]))) +
                    ",\"focus\":" + (i == box.focused ? "true" : "false") + "}";
    host::JournalEntry("snapshot").Str("caption", caption).Raw("controls", controls + "]").Write();
}

}  // namespace user

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    (void)owner;
    const std::wstring textW = text ? text : L"";
    const std::wstring captionW = caption ? caption : L"Error";
    user::MessageBoxModel box(type);
    int result;
    if (term::Available()) {
        result = user::RunMessageBoxOnTerminal(captionW, textW, box);
    } else {
        std::optional<int> answer;
        while (!answer) {
            const std::optional<host::ScriptAction> action = host::NextScriptAction();
            if (!action) { answer = box.DefaultResult(); break; }
            if (action->kind == host::ScriptAction::Key) answer = box.Press(action->text);
            else if (action->kind == host::ScriptAction::Snapshot) user::JournalMessageBoxSnapshot(captionW, textW, box);
        }
        result = *answer;
    }
    host::JournalEntry("MessageBoxW")
        .Str("caption", captionW)
        .Str("text", textW)
        .Num("type", type)
        .Num("result", result)
        .Write();
    return result;
}
