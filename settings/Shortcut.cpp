// The agent's shortcut: its path, its text, reading the options out of it and replacing it.
#include "Shortcut.h"

#include <aygshell.h>
#include <stdlib.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include "SettingsDlg.h"

#define SHORTCUT_FILE_NAME L"\\Horvane.lnk"
#define AGENT_FILE_NAME L"Horvane.exe"
#define SHORTCUT_READ_LIMIT 1023
#define NEW_FILE_SUFFIX L".new"
#define OLD_FILE_SUFFIX L".old"
#define SAVE_FAILED_TEXT L"保存に失敗しました。"

BOOL GetShortcutPath(LPWSTR path)
{
    ZeroMemory(path, MAX_PATH * sizeof(WCHAR));
    // Without the folder the bare file name would name the root folder: use nothing instead.
    if (!SHGetSpecialFolderPath(NULL, path, CSIDL_PROGRAMS, FALSE) || path[0] == L'\0'
        || wcslen(path) + wcslen(SHORTCUT_FILE_NAME) >= MAX_PATH) {
        ZeroMemory(path, MAX_PATH * sizeof(WCHAR));
        return FALSE;
    }
    wcscat(path, SHORTCUT_FILE_NAME);
    return TRUE;
}

// The folder of the running program with its trailing backslash; FALSE when its path cannot
// be had whole.
static BOOL GetProgramFolder(LPWSTR folder)
{
    WCHAR programPath[MAX_PATH];
    ZeroMemory(programPath, sizeof(programPath));
    ZeroMemory(folder, MAX_PATH * sizeof(WCHAR));
    DWORD length = GetModuleFileNameW(NULL, programPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 1)
        return FALSE;
    _wsplitpath_s(programPath, NULL, 0, folder, MAX_PATH, NULL, 0, NULL, 0);
    return folder[0] != L'\0';
}

void BuildShortcutText(LPCWSTR folder, LPCWSTR optionString, LPWSTR text, size_t textChars)
{
    WCHAR target[SHORTCUT_TEXT_CHARS];
    ZeroMemory(target, sizeof(target));
    ZeroMemory(text, textChars * sizeof(WCHAR));
    swprintf(target, SHORTCUT_TEXT_CHARS, L"\"%ls" AGENT_FILE_NAME L"\"%ls", folder, optionString);
    swprintf(text, textChars, L"%d#%ls", (int)wcslen(target), target);
}

static void FindShortcutValues(LPCWSTR text, ShortcutValues* values)
{
    if (HasOption(text, OPTION_HOST)) {
        values->hasHost = TRUE;
        ExtractOptionValue(text, OPTION_HOST, HOST_VALUE_LIMIT, values->host);
    }
    if (HasOption(text, OPTION_PORT)) {
        values->hasPort = TRUE;
        ExtractOptionValue(text, OPTION_PORT, PORT_VALUE_LIMIT, values->port);
    }
    values->silent = HasOption(text, OPTION_SILENT);
    values->keepConnection = HasOption(text, OPTION_KEEP_CONNECTION);
    if (HasOption(text, OPTION_OFFSET_PLUS)) {
        values->hasOffset = TRUE;
        ExtractOptionValue(text, OPTION_OFFSET_PLUS, OFFSET_VALUE_LIMIT, values->offset);
    } else if (HasOption(text, OPTION_OFFSET_MINUS)) {
        values->hasOffset = TRUE;
        values->offsetMinus = TRUE;
        ExtractOptionValue(text, OPTION_OFFSET_MINUS, OFFSET_VALUE_LIMIT, values->offset);
    }
    if (HasOption(text, OPTION_DELAY)) {
        values->hasDelay = TRUE;
        ExtractOptionValue(text, OPTION_DELAY, DELAY_VALUE_LIMIT, values->delay);
    }
}

BOOL ReadShortcutValues(LPCWSTR path, ShortcutValues* values)
{
    ZeroMemory(values, sizeof(*values));
    HANDLE file = CreateFileW(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;

    // One byte of the buffer stays zero, so the text always ends.
    char bytes[SHORTCUT_TEXT_CHARS];
    ZeroMemory(bytes, sizeof(bytes));
    DWORD bytesRead = 0;
    BOOL ok = ReadFile(file, bytes, SHORTCUT_READ_LIMIT, &bytesRead, NULL);
    if (ok) {
        WCHAR text[SHORTCUT_TEXT_CHARS];
        ZeroMemory(text, sizeof(text));
        MultiByteToWideChar(CP_ACP, 0, bytes, -1, text, SHORTCUT_TEXT_CHARS);
        FindShortcutValues(text, values);
    }
    CloseHandle(file);
    return ok;
}

// path with a suffix, in a buffer of MAX_PATH characters; FALSE when it would not fit.
static BOOL SiblingPath(LPCWSTR path, LPCWSTR suffix, LPWSTR sibling)
{
    ZeroMemory(sibling, MAX_PATH * sizeof(WCHAR));
    if (wcslen(path) + wcslen(suffix) >= MAX_PATH)
        return FALSE;
    wcscpy(sibling, path);
    wcscat(sibling, suffix);
    return TRUE;
}

// Puts the new file in the place of the shortcut. The previous shortcut is moved aside first
// and moved back when the new file cannot take its place; a shortcut held open by another
// program cannot be moved, so then nothing changes.
static BOOL ReplaceShortcut(LPCWSTR path, LPCWSTR newPath, LPCWSTR oldPath)
{
    DeleteFileW(oldPath);  // left over from an interrupted save
    BOOL hadPrevious = MoveFileW(path, oldPath);
    if (!hadPrevious && GetLastError() != ERROR_FILE_NOT_FOUND)
        return FALSE;
    if (!MoveFileW(newPath, path)) {
        if (hadPrevious)
            MoveFileW(oldPath, path);
        return FALSE;
    }
    if (hadPrevious)
        DeleteFileW(oldPath);
    return TRUE;
}

BOOL WriteShortcutFile(LPCWSTR path, LPCWSTR text)
{
    WCHAR newPath[MAX_PATH];
    WCHAR oldPath[MAX_PATH];
    if (!SiblingPath(path, NEW_FILE_SUFFIX, newPath) || !SiblingPath(path, OLD_FILE_SUFFIX, oldPath))
        return FALSE;

    char bytes[SHORTCUT_TEXT_CHARS];
    ZeroMemory(bytes, sizeof(bytes));
    WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, SHORTCUT_TEXT_CHARS, NULL, NULL);

    HANDLE file = CreateFileW(newPath, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD bytesWritten = 0;
    BOOL written = WriteFile(file, bytes, (DWORD)strlen(bytes), &bytesWritten, NULL);
    CloseHandle(file);

    if (!written || !ReplaceShortcut(path, newPath, oldPath)) {
        DeleteFileW(newPath);
        return FALSE;
    }
    return TRUE;
}

void LoadShortcutSettings(CSettingsDlg& dialog)
{
    WCHAR path[MAX_PATH];
    ShortcutValues values;
    if (!GetShortcutPath(path) || !ReadShortcutValues(path, &values))
        return;

    if (values.hasHost)
        dialog.m_hostText = values.host;
    if (values.hasPort)
        dialog.m_portText = values.port;
    if (values.silent)
        dialog.m_btnSilent.SetCheck(BST_CHECKED);
    if (values.keepConnection)
        dialog.m_btnKeepConnection.SetCheck(BST_CHECKED);
    if (values.hasOffset) {
        dialog.m_offsetText = values.offset;
        dialog.m_cmbOffsetSign.SetCurSel(values.offsetMinus ? 1 : 0);
    }
    if (values.hasDelay)
        dialog.m_delayText = values.delay;
}

void SaveShortcutSettings(CSettingsDlg& dialog)
{
    WCHAR path[MAX_PATH];
    WCHAR folder[MAX_PATH];
    if (!GetShortcutPath(path) || !GetProgramFolder(folder)) {
        AfxMessageBox(SAVE_FAILED_TEXT, MB_OK);
        return;
    }

    OptionTexts texts;
    texts.host = dialog.m_hostText;
    texts.port = dialog.m_portText;
    texts.silent = dialog.m_btnSilent.GetCheck() == BST_CHECKED;
    texts.keepConnection = dialog.m_btnKeepConnection.GetCheck() == BST_CHECKED;
    texts.offsetPlus = dialog.m_cmbOffsetSign.GetCurSel() == 0;
    texts.offset = dialog.m_offsetText;
    texts.delay = dialog.m_delayText;
    WCHAR optionString[SHORTCUT_TEXT_CHARS];
    BuildOptionString(&texts, optionString, SHORTCUT_TEXT_CHARS);

    WCHAR text[SHORTCUT_TEXT_CHARS];
    BuildShortcutText(folder, optionString, text, SHORTCUT_TEXT_CHARS);
    if (!WriteShortcutFile(path, text))
        AfxMessageBox(SAVE_FAILED_TEXT, MB_OK);
}
