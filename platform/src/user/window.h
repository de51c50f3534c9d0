// The windows of this process: dialogs and their controls, addressed by HWND. Messages are
// delivered synchronously (SendMessageW); a control's behaviour is its class's procedure.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace user {

enum class WindowKind { Dialog, Button, Edit, Static, ComboBox, Other };

struct Window {
    WindowKind kind = WindowKind::Other;
    std::wstring className;  // as created, e.g. L"EDIT"
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    short x = 0, y = 0, cx = 0, cy = 0;  // dialog units, relative to the parent
    std::wstring text;
    Window* parent = nullptr;
    std::vector<Window*> children;  // creation order, which is the tab order
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;

    // EDIT: the most characters typing may reach.
    size_t limit = kDefaultEditLimit;
    // BUTTON: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int check = BST_UNCHECKED;
    // COMBOBOX: the list and the selected index (-1: none).
    std::vector<std::wstring> items;
    int selected = -1;
    // Dialog: its procedure and, once EndDialog was called, its result.
    DLGPROC dialogProc = nullptr;
    bool ended = false;
    INT_PTR result = 0;

    static constexpr size_t kDefaultEditLimit = 0x7FFFFFFE;

    HWND Handle() { return reinterpret_cast<HWND>(this); }
    DWORD ButtonType() const { return style & BS_TYPEMASK; }
    bool IsCheckBox() const;
    std::wstring DisplayText() const;  // what the window shows (a combo box: its selection)
};

// A new window of this process; a child is appended to its parent's children.
Window* CreateWindowObject(WindowKind kind, const std::wstring& className, Window* parent);
// The window behind a handle of this process, or nullptr.
Window* Lookup(HWND window);
// The class procedure of a control: true when its kind handles the message itself.
bool ControlProc(Window& window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Tells the parent about a change (WM_COMMAND with the control id and a notification code).
void Notify(Window& control, WORD code);

WindowKind KindOfClass(const std::wstring& className);
const wchar_t* ClassNameOfAtom(WORD atom);  // nullptr for an unknown atom

}  // namespace user
