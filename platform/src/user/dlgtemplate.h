// The compiled dialog template (DLGTEMPLATE and its items), read defensively from bytes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace user {

struct DialogItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    std::wstring className;  // a predefined class by its name (L"EDIT", ...)
    std::wstring title;      // empty when the title is an ordinal
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring className;  // empty: the platform's dialog class
    std::wstring title;
    WORD pointSize = 0;      // with DS_SETFONT
    std::wstring faceName;
    std::vector<DialogItem> items;
};

// Reads a template of size bytes; nullopt when it is cut short or malformed (an unknown
// class atom, an extended template).
std::optional<DialogTemplate> ParseDialogTemplate(const void* data, size_t size);

}  // namespace user
