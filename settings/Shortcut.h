// The agent's shortcut Horvane.lnk in the Programs folder: where it lies, the text it holds
// ("count#target" in the ANSI code page), and its load into and save from the dialog.
#ifndef HORVANESET_SHORTCUT_H
#define HORVANESET_SHORTCUT_H

#include <windows.h>

#include "OptionString.h"

class CSettingsDlg;

#define SHORTCUT_TEXT_CHARS 1024

// The values found in a shortcut's text; what it does not hold stays empty or FALSE.
struct ShortcutValues {
    BOOL hasHost;
    WCHAR host[HOST_VALUE_LIMIT + 1];
    BOOL hasPort;
    WCHAR port[PORT_VALUE_LIMIT + 1];
    BOOL silent;
    BOOL keepConnection;
    BOOL hasOffset;
    BOOL offsetMinus;
    WCHAR offset[OFFSET_VALUE_LIMIT + 1];
    BOOL hasDelay;
    WCHAR delay[DELAY_VALUE_LIMIT + 1];
};

// The Programs folder followed by "\Horvane.lnk", in path (MAX_PATH characters). FALSE, with
// an empty path, when the folder cannot be determined or the path would not fit.
BOOL GetShortcutPath(LPWSTR path);

// The whole text of the shortcut: the count of the target's characters, "#", and the target
// "<folder>Horvane.exe"<options>; folder keeps its trailing backslash.
void BuildShortcutText(LPCWSTR folder, LPCWSTR optionString, LPWSTR text, size_t textChars);

// Reads the shortcut at path (its first 1023 bytes, up to the first zero byte) and searches
// the whole text, the program path included, for the options. FALSE when the file cannot be
// opened or read; values is zero-filled first.
BOOL ReadShortcutValues(LPCWSTR path, ShortcutValues* values);

// Replaces the shortcut at path with text in the ANSI code page. The text goes to a new file
// beside it first; the previous shortcut is replaced only after that write succeeded, so a
// failure (including a shortcut held open elsewhere) leaves it as it was.
BOOL WriteShortcutFile(LPCWSTR path, LPCWSTR text);

// The dialog's side: load the values into its texts, check boxes and sign list; save them,
// showing "保存に失敗しました。" when the shortcut cannot be written, or when the Programs
// folder or the program's own folder cannot be determined (nothing is written then).
void LoadShortcutSettings(CSettingsDlg& dialog);
void SaveShortcutSettings(CSettingsDlg& dialog);

#endif
