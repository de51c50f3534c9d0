// Message boxes on the terminal and in snapshots.
#include "host/host.h"
#include "user/messagebox.h"

#include <cstdio>
#include <iostream>

namespace user {

static const wchar_t* ButtonLabel(int id) {
    switch (id) {
    case IDOK: return L"OK";
    case IDCANCEL: return L"キャンセル";
    case IDYES: return L"はい(Y)";
    case IDNO: return L"いいえ(N)";
    default: return L"?";
    }
}

int RunMessageBoxOnTerminal(const std::wstring& caption, const std::wstring& text, MessageBoxModel& box) {
    for (;;) {
        std::string buttons;
        for (size_t i = 0; i < box.buttons.size(); ++i) {
            const std::string label = host::ToUtf8(ButtonLabel(box.buttons[i]));
            buttons += i == box.focused ? "[" + label + "] " : " " + label + "  ";
        }
        std::printf("\n== %s ==\n%s\n%s\n", host::ToUtf8(caption).c_str(), host::ToUtf8(text).c_str(), buttons.c_str());
        std::fflush(stdout);
        std::string line;
        if (!std::getline(std::cin, line)) return box.DefaultResult();
        const std::wstring key = line.empty() ? L"enter" : host::FromUtf8(line);
        if (std::optional<int> result = box.Press(key)) return *result;
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
