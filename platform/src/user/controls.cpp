// The behaviour of the standard controls: EDIT (typing within its limit, digits only with
// ES_NUMBER), BUTTON (check boxes toggled by a click or the space key), COMBOBOX (a list
// with one selection, moved by the arrow keys) and STATIC (text only).
#include "user/window.h"

#include <cwchar>

namespace {

using user::Window;

bool EditProc(Window& edit, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)lParam;
    switch (message) {
    case EM_LIMITTEXT:
        // Zero lifts the limit. The limit bounds typing only: set texts may be longer.
        edit.limit = wParam == 0 ? Window::kDefaultEditLimit : static_cast<size_t>(wParam);
        return true;
    case EM_GETLIMITTEXT:
        result = static_cast<LRESULT>(edit.limit);
        return true;
    case WM_CHAR: {
        const wchar_t ch = static_cast<wchar_t>(wParam);
        if (edit.style & ES_READONLY) return true;
        if (ch == L'\b') {
            if (edit.text.empty()) return true;
            edit.text.pop_back();
        } else {
            if (ch < 0x20 || ch == 0x7F) return true;  // other control characters type nothing
            if ((edit.style & ES_NUMBER) && (ch < L'0' || ch > L'9')) return true;
            if (edit.text.size() >= edit.limit) { user::Notify(edit, EN_MAXTEXT); return true; }
            edit.text.push_back(ch);
        }
        user::Notify(edit, EN_CHANGE);
        return true;
    }
    default:
        return false;
    }
}

void Click(Window& button) {
    switch (button.ButtonType()) {
    case BS_AUTOCHECKBOX: button.check = button.check == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED; break;
    case BS_AUTO3STATE: button.check = (button.check + 1) % 3; break;
    case BS_AUTORADIOBUTTON: button.check = BST_CHECKED; break;
    default: break;
    }
    user::Notify(button, BN_CLICKED);
}

bool ButtonProc(Window& button, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)lParam;
    switch (message) {
    case BM_GETCHECK:
        result = button.check;
        return true;
    case BM_SETCHECK:
        if (wParam <= BST_INDETERMINATE) button.check = static_cast<int>(wParam);
        return true;
    case BM_CLICK:
        Click(button);
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) Click(button);
        return true;
    case WM_CHAR:
        return true;
    default:
        return false;
    }
}

bool ValidIndex(const Window& combo, WPARAM index) { return index < combo.items.size(); }

bool ComboProc(Window& combo, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const LPCWSTR text = reinterpret_cast<LPCWSTR>(lParam);
    switch (message) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        if (!text) { result = CB_ERR; return true; }
        size_t at = combo.items.size();
        if (message == CB_INSERTSTRING && static_cast<int>(wParam) != -1) {
            if (wParam > combo.items.size()) { result = CB_ERR; return true; }
            at = wParam;
        } else if (message == CB_ADDSTRING && (combo.style & CBS_SORT)) {
            at = 0;
            while (at < combo.items.size() && std::wcscmp(combo.items[at].c_str(), text) <= 0) ++at;
        }
        combo.items.insert(combo.items.begin() + static_cast<std::ptrdiff_t>(at), text);
        if (combo.selected >= static_cast<int>(at)) ++combo.selected;
        result = static_cast<LRESULT>(at);
        return true;
    }
    case CB_DELETESTRING:
        if (!ValidIndex(combo, wParam)) { result = CB_ERR; return true; }
        combo.items.erase(combo.items.begin() + static_cast<std::ptrdiff_t>(wParam));
        if (combo.selected == static_cast<int>(wParam)) combo.selected = -1;
        else if (combo.selected > static_cast<int>(wParam)) --combo.selected;
        result = static_cast<LRESULT>(combo.items.size());
        return true;
    case CB_RESETCONTENT:
        combo.items.clear();
        combo.selected = -1;
        result = CB_OKAY;
        return true;
    case CB_GETCOUNT:
        result = static_cast<LRESULT>(combo.items.size());
        return true;
    case CB_GETCURSEL:
        result = combo.selected;
        return true;
    case CB_SETCURSEL:
        // An index outside the list clears the selection and reports CB_ERR.
        combo.selected = ValidIndex(combo, wParam) ? static_cast<int>(wParam) : -1;
        result = combo.selected == -1 ? CB_ERR : combo.selected;
        return true;
    case CB_GETLBTEXTLEN:
        result = ValidIndex(combo, wParam) ? static_cast<LRESULT>(combo.items[wParam].size()) : CB_ERR;
        return true;
    case CB_GETLBTEXT:
        // The caller's buffer must hold the text and its zero (CB_GETLBTEXTLEN + 1).
        if (!ValidIndex(combo, wParam) || !lParam) { result = CB_ERR; return true; }
        std::wcscpy(reinterpret_cast<LPWSTR>(lParam), combo.items[wParam].c_str());
        result = static_cast<LRESULT>(combo.items[wParam].size());
        return true;
    case CB_FINDSTRINGEXACT:
        result = CB_ERR;
        for (size_t i = 0; text && i < combo.items.size(); ++i)
            if (combo.items[i] == text) { result = static_cast<LRESULT>(i); break; }
        return true;
    case WM_KEYDOWN: {
        if ((wParam != VK_UP && wParam != VK_DOWN) || combo.items.empty()) return true;
        const int last = static_cast<int>(combo.items.size()) - 1;
        int next = combo.selected < 0 ? 0 : combo.selected + (wParam == VK_DOWN ? 1 : -1);
        next = next < 0 ? 0 : next > last ? last : next;
        if (next != combo.selected) {
            combo.selected = next;
            user::Notify(combo, CBN_SELCHANGE);
        }
        return true;
    }
    case WM_CHAR:
        return true;
    default:
        return false;
    }
}

}  // namespace

namespace user {

bool ControlProc(Window& window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (window.kind) {
    case WindowKind::Edit: return EditProc(window, message, wParam, lParam, result);
    case WindowKind::Button: return ButtonProc(window, message, wParam, lParam, result);
    case WindowKind::ComboBox: return ComboProc(window, message, wParam, lParam, result);
    default: return false;
    }
}

WindowKind KindOfClass(const std::wstring& className) {
    std::wstring upper;
    for (wchar_t c : className) upper.push_back(c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c);
    if (upper == L"BUTTON") return WindowKind::Button;
    if (upper == L"EDIT") return WindowKind::Edit;
    if (upper == L"STATIC") return WindowKind::Static;
    if (upper == L"COMBOBOX") return WindowKind::ComboBox;
    return WindowKind::Other;
}

const wchar_t* ClassNameOfAtom(WORD atom) {
    switch (atom) {
    case 0x0080: return L"BUTTON";
    case 0x0081: return L"EDIT";
    case 0x0082: return L"STATIC";
    case 0x0083: return L"LISTBOX";
    case 0x0084: return L"SCROLLBAR";
    case 0x0085: return L"COMBOBOX";
    default: return nullptr;
    }
}

}  // namespace user
