// Dialogs: created from a compiled template, keyboard navigation (tab order = template order
// of the WS_TABSTOP controls, Enter -> IDOK, Escape -> IDCANCEL), and the modal run.
#include <windows.h>

#include "user/dialog_input.h"
#include "user/dlgtemplate.h"
#include "user/window.h"

#include <cwchar>

namespace {

// Templates in the caller's memory come with no size; a template is far smaller than this.
constexpr size_t kInMemoryTemplateBound = 64 * 1024;

bool shiftDown = false;

bool IsTabStop(const user::Window& control) {
    return (control.style & WS_TABSTOP) && (control.style & WS_VISIBLE) && !(control.style & WS_DISABLED);
}

// The next (or previous) tab stop after the focused control, wrapping around.
HWND NextTabStop(user::Window& dialog, bool forward) {
    const auto& children = dialog.children;
    const size_t n = children.size();
    if (n == 0) return nullptr;
    size_t current = n;
    for (size_t i = 0; i < n; ++i)
        if (children[i]->Handle() == GetFocus()) current = i;
    for (size_t step = 1; step <= n; ++step) {
        size_t i;
        if (current == n) i = forward ? step - 1 : n - step;
        else i = forward ? (current + step) % n : (current + n - step) % n;
        if (IsTabStop(*children[i])) return children[i]->Handle();
    }
    return nullptr;
}

void Command(user::Window& dialog, int id, HWND from) {
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(from));
}

HWND CreateFromTemplate(const void* data, size_t size, HWND parent, DLGPROC proc, LPARAM initParam) {
    const std::optional<user::DialogTemplate> dialogTemplate = user::ParseDialogTemplate(data, size);
    if (!dialogTemplate) { SetLastError(ERROR_INVALID_PARAMETER); return nullptr; }
    user::Window* dialog = user::CreateWindowObject(user::WindowKind::Dialog, L"#32770", nullptr);
    dialog->style = dialogTemplate->style;
    dialog->exStyle = dialogTemplate->exStyle;
    dialog->x = dialogTemplate->x;
    dialog->y = dialogTemplate->y;
    dialog->cx = dialogTemplate->cx;
    dialog->cy = dialogTemplate->cy;
    dialog->text = dialogTemplate->title;
    dialog->parent = user::Lookup(parent);  // the owner: not a child of it
    for (const user::DialogItem& item : dialogTemplate->items) {
        user::Window* control = user::CreateWindowObject(user::KindOfClass(item.className), item.className, dialog);
        control->style = item.style;
        control->exStyle = item.exStyle;
        control->id = item.id;
        control->x = item.x;
        control->y = item.y;
        control->cx = item.cx;
        control->cy = item.cy;
        control->text = item.title;
    }
    const HWND handle = dialog->Handle();
    dialog->dialogProc = proc;
    const HWND firstTabStop = NextTabStop(*dialog, true);
    // TRUE from WM_INITDIALOG: the platform puts the focus on the first tab stop.
    if (!proc || proc(handle, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop), initParam))
        if (user::Lookup(handle)) SetFocus(firstTabStop);
    return handle;
}

INT_PTR RunModal(const void* data, size_t size, HWND parent, DLGPROC proc, LPARAM initParam) {
    const HWND dialog = CreateFromTemplate(data, size, parent, proc, initParam);
    if (!dialog) return -1;
    const INT_PTR result = user::RunModalLoop(dialog);
    DestroyWindow(dialog);
    return result;
}

}  // namespace

namespace user {
void SetShiftDown(bool down) { shiftDown = down; }
}  // namespace user

SHORT WINAPI GetKeyState(int virtualKey) {
    return virtualKey == VK_SHIFT && shiftDown ? static_cast<SHORT>(0x8000) : 0;
}

HWND WINAPI CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND parent,
                                       DLGPROC dialogProc, LPARAM initParam) {
    (void)instance;
    return CreateFromTemplate(dialogTemplate, kInMemoryTemplateBound, parent, dialogProc, initParam);
}

INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND parent,
                                       DLGPROC dialogProc, LPARAM initParam) {
    (void)instance;
    return RunModal(dialogTemplate, kInMemoryTemplateBound, parent, dialogProc, initParam);
}

INT_PTR WINAPI DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC dialogProc,
                               LPARAM initParam) {
    const HRSRC resource = FindResourceW(instance, templateName, RT_DIALOG);
    if (!resource) return -1;
    const void* data = LockResource(LoadResource(instance, resource));
    return RunModal(data, SizeofResource(instance, resource), parent, dialogProc, initParam);
}

BOOL WINAPI EndDialog(HWND handle, INT_PTR result) {
    user::Window* dialog = user::Lookup(handle);
    if (!dialog || dialog->kind != user::WindowKind::Dialog) { SetLastError(ERROR_INVALID_HANDLE); return FALSE; }
    dialog->ended = true;
    dialog->result = result;
    return TRUE;
}

BOOL WINAPI IsDialogMessageW(HWND handle, LPMSG message) {
    user::Window* dialog = user::Lookup(handle);
    if (!dialog || !message) return FALSE;
    user::Window* target = user::Lookup(message->hwnd);
    if (!target || (target != dialog && target->parent != dialog)) return FALSE;
    if (message->message == WM_KEYDOWN) {
        switch (message->wParam) {
        case VK_TAB:
            if (const HWND next = NextTabStop(*dialog, !(GetKeyState(VK_SHIFT) & 0x8000))) SetFocus(next);
            return TRUE;
        case VK_RETURN: {
            // A focused push button is pressed; otherwise Enter means OK.
            const bool pushButton = target->kind == user::WindowKind::Button &&
                                    target->ButtonType() <= BS_DEFPUSHBUTTON;
            Command(*dialog, pushButton ? target->id : IDOK, pushButton ? target->Handle() : nullptr);
            return TRUE;
        }
        case VK_ESCAPE:
            Command(*dialog, IDCANCEL, nullptr);
            return TRUE;
        default:
            break;
        }
    }
    SendMessageW(message->hwnd, message->message, message->wParam, message->lParam);
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND handle, int id) {
    user::Window* dialog = user::Lookup(handle);
    if (!dialog) return nullptr;
    for (user::Window* child : dialog->children)
        if (child->id == static_cast<WORD>(id)) return child->Handle();
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND handle) {
    user::Window* window = user::Lookup(handle);
    return window ? window->id : 0;
}

LRESULT WINAPI SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(GetDlgItem(dialog, id), message, wParam, lParam);
}

BOOL WINAPI SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) { return SetWindowTextW(GetDlgItem(dialog, id), text); }

UINT WINAPI GetDlgItemTextW(HWND dialog, int id, LPWSTR text, int maxCount) {
    return static_cast<UINT>(GetWindowTextW(GetDlgItem(dialog, id), text, maxCount));
}

BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND button = GetDlgItem(dialog, id);
    if (!button) return FALSE;
    SendMessageW(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0));
}
