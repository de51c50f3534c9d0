// Windows of this process: creation, lookup, destruction, message delivery and the
// messages every window answers (text, icons).
#include "user/window.h"

#include <algorithm>
#include <cwchar>
#include <map>

namespace {

std::map<HWND, std::unique_ptr<user::Window>>& Windows() {
    static std::map<HWND, std::unique_ptr<user::Window>> windows;
    return windows;
}

HWND focusWindow = nullptr;

// Copies text into a caller's buffer of capacity characters, always terminated, cut when
// too long; returns the characters copied.
int CopyText(const std::wstring& text, LPWSTR buffer, size_t capacity) {
    if (!buffer || capacity == 0) return 0;
    const size_t count = std::min(text.size(), capacity - 1);
    std::wmemcpy(buffer, text.data(), count);
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

// The messages every window answers itself.
LRESULT DefaultProc(user::Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        window.text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        return TRUE;
    case WM_GETTEXT:
        return CopyText(window.DisplayText(), reinterpret_cast<LPWSTR>(lParam), wParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window.DisplayText().size());
    case WM_SETICON: {
        HICON& slot = wParam == ICON_BIG ? window.bigIcon : window.smallIcon;
        HICON previous = slot;
        slot = reinterpret_cast<HICON>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    default:
        return 0;
    }
}

}  // namespace

namespace user {

bool Window::IsCheckBox() const {
    if (kind != WindowKind::Button) return false;
    const DWORD type = ButtonType();
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
           type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

std::wstring Window::DisplayText() const {
    if (kind != WindowKind::ComboBox) return text;
    return selected >= 0 && static_cast<size_t>(selected) < items.size() ? items[selected] : std::wstring();
}

Window* CreateWindowObject(WindowKind kind, const std::wstring& className, Window* parent) {
    auto window = std::make_unique<Window>();
    Window* raw = window.get();
    raw->kind = kind;
    raw->className = className;
    raw->parent = parent;
    if (parent) parent->children.push_back(raw);
    Windows()[raw->Handle()] = std::move(window);
    return raw;
}

Window* Lookup(HWND window) {
    auto& windows = Windows();
    const auto it = windows.find(window);
    return it == windows.end() ? nullptr : it->second.get();
}

void Notify(Window& control, WORD code) {
    if (!control.parent) return;
    SendMessageW(control.parent->Handle(), WM_COMMAND, MAKEWPARAM(control.id, code),
                 reinterpret_cast<LPARAM>(control.Handle()));
}

}  // namespace user

LRESULT WINAPI SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    user::Window* window = user::Lookup(handle);
    if (!window) return 0;
    if (window->kind == user::WindowKind::Dialog) {
        // The dialog procedure sees every message first; what it leaves is answered here.
        if (window->dialogProc) {
            const INT_PTR handled = window->dialogProc(handle, message, wParam, lParam);
            if (handled) return handled;
        }
        return DefaultProc(*window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (user::ControlProc(*window, message, wParam, lParam, result)) return result;
    return DefaultProc(*window, message, wParam, lParam);
}

BOOL WINAPI IsWindow(HWND window) { return user::Lookup(window) != nullptr; }

HWND WINAPI GetParent(HWND handle) {
    user::Window* window = user::Lookup(handle);
    return window && window->parent ? window->parent->Handle() : nullptr;
}

BOOL WINAPI DestroyWindow(HWND handle) {
    user::Window* window = user::Lookup(handle);
    if (!window) { SetLastError(ERROR_INVALID_HANDLE); return FALSE; }
    while (!window->children.empty()) DestroyWindow(window->children.back()->Handle());
    if (window->kind == user::WindowKind::Dialog && window->dialogProc)
        window->dialogProc(handle, WM_DESTROY, 0, 0);
    if (focusWindow == handle) focusWindow = nullptr;
    if (window->parent) {
        auto& siblings = window->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
    Windows().erase(handle);
    return TRUE;
}

BOOL WINAPI SetWindowTextW(HWND window, LPCWSTR text) {
    if (!user::Lookup(window)) { SetLastError(ERROR_INVALID_HANDLE); return FALSE; }
    return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextW(HWND window, LPWSTR text, int maxCount) {
    if (text && maxCount > 0) text[0] = L'\0';
    if (!user::Lookup(window) || maxCount <= 0) return 0;
    return static_cast<int>(SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(text)));
}

int WINAPI GetWindowTextLengthW(HWND window) {
    return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

HWND WINAPI SetFocus(HWND window) {
    if (window && !user::Lookup(window)) return nullptr;
    const HWND previous = focusWindow;
    focusWindow = window;
    return previous;
}

HWND WINAPI GetFocus(void) { return focusWindow; }
