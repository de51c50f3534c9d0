// The state of a message box: its buttons and the focused one, and the keys it answers to.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace user {

struct MessageBoxModel {
    explicit MessageBoxModel(UINT type);
    std::vector<int> buttons;  // button ids in display order
    size_t focused;            // starts on the default button
    // A key by its script name; returns the chosen button when the key closes the box.
    std::optional<int> Press(const std::wstring& key);
    int DefaultResult() const;
};

// The label of a button, as the box shows it.
const wchar_t* ButtonLabel(int id);

// Draws the box on the terminal and waits for the keyboard; returns the chosen button.
int RunMessageBoxOnTerminal(const std::wstring& caption, const std::wstring& text, MessageBoxModel& box);
// "snapshot" while a message box is the active window.
void JournalMessageBoxSnapshot(const std::wstring& caption, const std::wstring& text, const MessageBoxModel& box);

}  // namespace user
