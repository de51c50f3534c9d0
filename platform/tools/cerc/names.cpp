// The platform's named constants that resource scripts use: window, control and dialog
// styles, languages and the version block's values.
#include "cerc.h"

namespace cerc {

std::optional<long long> PlatformConstant(const std::string& name) {
    static const std::map<std::string, long long> constants = {
        // Window styles.
        {"WS_OVERLAPPED", 0x00000000}, {"WS_POPUP", 0x80000000}, {"WS_CHILD", 0x40000000},
        {"WS_VISIBLE", 0x10000000}, {"WS_DISABLED", 0x08000000}, {"WS_CLIPSIBLINGS", 0x04000000},
        {"WS_CLIPCHILDREN", 0x02000000}, {"WS_CAPTION", 0x00C00000}, {"WS_BORDER", 0x00800000},
        {"WS_DLGFRAME", 0x00400000}, {"WS_VSCROLL", 0x00200000}, {"WS_HSCROLL", 0x00100000},
        {"WS_SYSMENU", 0x00080000}, {"WS_THICKFRAME", 0x00040000}, {"WS_GROUP", 0x00020000},
        {"WS_TABSTOP", 0x00010000},
        // Extended window styles.
        {"WS_EX_DLGMODALFRAME", 0x00000001}, {"WS_EX_TOPMOST", 0x00000008},
        {"WS_EX_WINDOWEDGE", 0x00000100}, {"WS_EX_CLIENTEDGE", 0x00000200},
        {"WS_EX_CONTEXTHELP", 0x00000400}, {"WS_EX_STATICEDGE", 0x00020000},
        {"WS_EX_APPWINDOW", 0x00040000}, {"WS_EX_CAPTIONOKBTN", 0x80000000},
        {"WS_EX_NODRAG", 0x40000000},
        // Dialog styles.
        {"DS_ABSALIGN", 0x01}, {"DS_SYSMODAL", 0x02}, {"DS_LOCALEDIT", 0x20}, {"DS_SETFONT", 0x40},
        {"DS_MODALFRAME", 0x80}, {"DS_NOIDLEMSG", 0x100}, {"DS_SETFOREGROUND", 0x200},
        {"DS_CONTROL", 0x400}, {"DS_CENTER", 0x800},
        // Edit styles.
        {"ES_LEFT", 0x0000}, {"ES_CENTER", 0x0001}, {"ES_RIGHT", 0x0002}, {"ES_MULTILINE", 0x0004},
        {"ES_UPPERCASE", 0x0008}, {"ES_LOWERCASE", 0x0010}, {"ES_PASSWORD", 0x0020},
        {"ES_AUTOVSCROLL", 0x0040}, {"ES_AUTOHSCROLL", 0x0080}, {"ES_NOHIDESEL", 0x0100},
        {"ES_OEMCONVERT", 0x0400}, {"ES_READONLY", 0x0800}, {"ES_WANTRETURN", 0x1000},
        {"ES_NUMBER", 0x2000},
        // Static styles.
        {"SS_LEFT", 0x0000}, {"SS_CENTER", 0x0001}, {"SS_RIGHT", 0x0002}, {"SS_ICON", 0x0003},
        {"SS_BITMAP", 0x000E}, {"SS_LEFTNOWORDWRAP", 0x000C}, {"SS_NOTIFY", 0x0100},
        {"SS_CENTERIMAGE", 0x0200}, {"SS_NOPREFIX", 0x0080},
        // Button styles.
        {"BS_PUSHBUTTON", 0x0000}, {"BS_DEFPUSHBUTTON", 0x0001}, {"BS_CHECKBOX", 0x0002},
        {"BS_AUTOCHECKBOX", 0x0003}, {"BS_RADIOBUTTON", 0x0004}, {"BS_3STATE", 0x0005},
        {"BS_AUTO3STATE", 0x0006}, {"BS_GROUPBOX", 0x0007}, {"BS_AUTORADIOBUTTON", 0x0009},
        {"BS_OWNERDRAW", 0x000B}, {"BS_LEFTTEXT", 0x0020}, {"BS_LEFT", 0x0100}, {"BS_RIGHT", 0x0200},
        {"BS_CENTER", 0x0300}, {"BS_TOP", 0x0400}, {"BS_BOTTOM", 0x0800}, {"BS_VCENTER", 0x0C00},
        {"BS_PUSHLIKE", 0x1000}, {"BS_MULTILINE", 0x2000}, {"BS_NOTIFY", 0x4000}, {"BS_FLAT", 0x8000},
        // Combo box and list box styles.
        {"CBS_SIMPLE", 0x0001}, {"CBS_DROPDOWN", 0x0002}, {"CBS_DROPDOWNLIST", 0x0003},
        {"CBS_AUTOHSCROLL", 0x0040}, {"CBS_OEMCONVERT", 0x0080}, {"CBS_SORT", 0x0100},
        {"CBS_HASSTRINGS", 0x0200}, {"CBS_NOINTEGRALHEIGHT", 0x0400}, {"CBS_DISABLENOSCROLL", 0x0800},
        {"CBS_UPPERCASE", 0x2000}, {"CBS_LOWERCASE", 0x4000},
        {"LBS_NOTIFY", 0x0001}, {"LBS_SORT", 0x0002}, {"LBS_NOINTEGRALHEIGHT", 0x0100},
        {"LBS_HASSTRINGS", 0x0040}, {"LBS_STANDARD", 0x00A00003},
        {"SBS_HORZ", 0x0000}, {"SBS_VERT", 0x0001},
        // Languages.
        {"LANG_NEUTRAL", 0x00}, {"LANG_ENGLISH", 0x09}, {"LANG_JAPANESE", 0x11},
        {"SUBLANG_NEUTRAL", 0x00}, {"SUBLANG_DEFAULT", 0x01}, {"SUBLANG_SYS_DEFAULT", 0x02},
        {"SUBLANG_ENGLISH_US", 0x01},
        // The version block.
        {"VS_VERSION_INFO", 1}, {"VS_FFI_FILEFLAGSMASK", 0x3F}, {"VS_FF_DEBUG", 0x01},
        {"VS_FF_PRERELEASE", 0x02}, {"VS_FF_PATCHED", 0x04}, {"VS_FF_PRIVATEBUILD", 0x08},
        {"VS_FF_INFOINFERRED", 0x10}, {"VS_FF_SPECIALBUILD", 0x20},
        {"VOS_UNKNOWN", 0x0}, {"VOS__WINDOWS32", 0x4}, {"VOS_NT", 0x40000}, {"VOS_NT_WINDOWS32", 0x40004},
        {"VFT_UNKNOWN", 0}, {"VFT_APP", 1}, {"VFT_DLL", 2}, {"VFT_DRV", 3}, {"VFT_FONT", 4},
        {"VFT_STATIC_LIB", 7}, {"VFT2_UNKNOWN", 0},
        // Identifiers of the class library's resource header.
        {"IDOK", 1}, {"IDCANCEL", 2}, {"IDC_STATIC", -1},
    };
    auto it = constants.find(name);
    if (it == constants.end()) return std::nullopt;
    return it->second;
}

}  // namespace cerc
