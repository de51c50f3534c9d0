// Input to a dialog from the input script or the terminal, the modal run and the snapshot.
#include "user/dialog_input.h"

#include "term/terminal.h"
#include "user/window.h"

#include <cstdio>
#include <string>

namespace {

// A key press is a WM_KEYDOWN to the focused control and, for a key that makes a character,
// that character (so space toggles a check box and types a space into an edit).
struct NamedKey {
    const wchar_t* name;
    WPARAM virtualKey;
    wchar_t character;  // 0: none
    bool shift;
};

const NamedKey kKeys[] = {
    {L"tab", VK_TAB, 0, false},       {L"shift-tab", VK_TAB, 0, true},  {L"enter", VK_RETURN, 0, false},
    {L"escape", VK_ESCAPE, 0, false}, {L"space", VK_SPACE, L' ', false}, {L"up", VK_UP, 0, false},
    {L"down", VK_DOWN, 0, false},     {L"left", VK_LEFT, 0, false},     {L"right", VK_RIGHT, 0, false},
    {L"backspace", VK_BACK, L'\b', false},
};

void Deliver(HWND dialog, UINT message, WPARAM code) {
    // Keys go to the focused control; with no focus, to the dialog itself.
    MSG msg = {};
    msg.hwnd = GetFocus() ? GetFocus() : dialog;
    msg.message = message;
    msg.wParam = code;
    IsDialogMessageW(dialog, &msg);
}

std::string Bool(bool value) { return value ? "true" : "false"; }

}  // namespace

namespace user {

bool ApplyDialogInput(HWND dialog, const host::ScriptAction& action) {
    switch (action.kind) {
    case host::ScriptAction::Snapshot:
        JournalDialogSnapshot(dialog);
        return true;
    case host::ScriptAction::Type:
        for (wchar_t ch : action.text) Deliver(dialog, WM_CHAR, static_cast<WPARAM>(ch));
        return true;
    case host::ScriptAction::Key:
        for (const NamedKey& key : kKeys) {
            if (action.text != key.name) continue;
            SetShiftDown(key.shift);
            Deliver(dialog, WM_KEYDOWN, key.virtualKey);
            SetShiftDown(false);
            if (key.character && IsWindow(dialog)) Deliver(dialog, WM_CHAR, static_cast<WPARAM>(key.character));
            return true;
        }
        // A single letter or digit is that key: it types its character.
        if (action.text.size() == 1) {
            Deliver(dialog, WM_CHAR, static_cast<WPARAM>(action.text[0]));
            return true;
        }
        return false;
    }
    return false;
}

void JournalDialogSnapshot(HWND handle) {
    Window* dialog = Lookup(handle);
    if (!dialog) return;
    std::string controls = "[";
    for (Window* control : dialog->children) {
        if (controls.size() > 1) controls += ",";
        controls += "{\"id\":" + std::to_string(control->id) + ",\"class\":" +
                    host::JournalEntry::Quote(host::ToUtf8(control->className)) +
                    ",\"text\":" + host::JournalEntry::Quote(host::ToUtf8(control->DisplayText())) +
                    ",\"focus\":" + Bool(control->Handle() == GetFocus());
        if (control->IsCheckBox()) controls += ",\"checked\":" + std::to_string(control->check);
        if (control->kind == WindowKind::ComboBox) {
            std::string items = "[";
            for (const std::wstring& item : control->items)
                items += (items.size() > 1 ? "," : "") + host::JournalEntry::Quote(host::ToUtf8(item));
            controls += ",\"items\":" + items + "],\"selected\":" + std::to_string(control->selected);
        }
        controls += "}";
    }
    host::JournalEntry("snapshot").Str("caption", dialog->text).Raw("controls", controls + "]").Write();
}

INT_PTR RunModalLoop(HWND handle) {
    const term::Session screen;  // the dialog stays on the terminal under its message boxes
    bool inputEnded = false;
    for (;;) {
        Window* dialog = Lookup(handle);
        if (!dialog) return -1;
        if (dialog->ended) return dialog->result;
        if (inputEnded) {
            // Escape did not close it: the run ends all the same, nothing is left waiting.
            EndDialog(handle, IDCANCEL);
            continue;
        }
        const std::optional<host::ScriptAction> action =
            term::Available() ? term::ReadDialogInput(handle) : host::NextScriptAction();
        if (!action) {
            inputEnded = true;
            ApplyDialogInput(handle, host::ScriptAction{host::ScriptAction::Key, L"escape"});
            continue;
        }
        if (!ApplyDialogInput(handle, *action))
            std::fprintf(stderr, "dialog input: unknown key: %s\n", host::ToUtf8(action->text).c_str());
    }
}

}  // namespace user
