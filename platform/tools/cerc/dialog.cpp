// DIALOG templates: the header statements (STYLE, EXSTYLE, CAPTION, FONT, MENU, CLASS) and
// the controls, written as a DLGTEMPLATE with its DLGITEMTEMPLATEs. Every control gets
// WS_CHILD | WS_VISIBLE and its statement's default styles, to which the script's style adds.
#include "cerc.h"

namespace cerc {

namespace {

constexpr uint32_t WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000, WS_TABSTOP = 0x00010000,
                   WS_GROUP = 0x00020000, WS_BORDER = 0x00800000, WS_POPUP = 0x80000000,
                   WS_SYSMENU = 0x00080000, WS_CAPTION = 0x00C00000, DS_SETFONT = 0x40;

// The predefined window classes by their atoms.
constexpr uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83, kScrollBar = 0x84, kComboBox = 0x85;

struct ControlKind {
    const char* keyword;
    uint16_t atom;
    uint32_t defaults;
    bool hasText;
};

const ControlKind kControlKinds[] = {
    {"LTEXT", kStatic, 0x0000 | WS_GROUP, true},
    {"RTEXT", kStatic, 0x0002 | WS_GROUP, true},
    {"CTEXT", kStatic, 0x0001 | WS_GROUP, true},
    {"ICON", kStatic, 0x0003, true},
    {"PUSHBUTTON", kButton, 0x0000 | WS_TABSTOP, true},
    {"DEFPUSHBUTTON", kButton, 0x0001 | WS_TABSTOP, true},
    {"CHECKBOX", kButton, 0x0002 | WS_TABSTOP, true},
    {"AUTOCHECKBOX", kButton, 0x0003 | WS_TABSTOP, true},
    {"RADIOBUTTON", kButton, 0x0004, true},
    {"AUTORADIOBUTTON", kButton, 0x0009, true},
    {"STATE3", kButton, 0x0005 | WS_TABSTOP, true},
    {"AUTO3STATE", kButton, 0x0006 | WS_TABSTOP, true},
    {"GROUPBOX", kButton, 0x0007, true},
    {"EDITTEXT", kEdit, 0x0000 | WS_BORDER | WS_TABSTOP, false},
    {"COMBOBOX", kComboBox, 0x0001 | WS_TABSTOP, false},
    {"LISTBOX", kListBox, 0x0001 | WS_BORDER, false},
    {"SCROLLBAR", kScrollBar, 0x0000, false},
};

// A class or title field: 0xFFFF + ordinal, or a text.
struct NameOrText {
    bool ordinal = false;
    uint16_t id = 0;
    std::u16string text;
};

void WriteField(ByteWriter& out, const NameOrText& field) {
    if (field.ordinal) { out.Word(0xFFFF); out.Word(field.id); }
    else out.Text(field.text);
}

NameOrText Text(const std::u32string& text) { NameOrText n; n.text = ToUtf16(text); return n; }
NameOrText Ordinal(uint16_t id) { NameOrText n; n.ordinal = true; n.id = id; return n; }

NameOrText ParseClassName(TokenStream& in) {
    const std::u32string name = ParseString(in);
    static const struct { const char32_t* name; uint16_t atom; } known[] = {
        {U"BUTTON", kButton}, {U"EDIT", kEdit}, {U"STATIC", kStatic},
        {U"LISTBOX", kListBox}, {U"SCROLLBAR", kScrollBar}, {U"COMBOBOX", kComboBox},
    };
    std::u32string upper = name;
    for (char32_t& c : upper)
        if (c >= U'a' && c <= U'z') c = c - U'a' + U'A';
    for (const auto& k : known)
        if (upper == k.name) return Ordinal(k.atom);
    return Text(name);
}

struct Control {
    uint32_t style = 0, exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    uint16_t id = 0;
    NameOrText cls, title;
};

int16_t Coordinate(TokenStream& in) {
    const long long v = ParseExpression(in);
    if (v < -32768 || v > 32767) in.Fail("coordinate out of range");
    return static_cast<int16_t>(v);
}

void ParseGeometry(TokenStream& in, Control& c) {
    c.x = Coordinate(in); in.ExpectPunct(",");
    c.y = Coordinate(in); in.ExpectPunct(",");
    c.cx = Coordinate(in); in.ExpectPunct(",");
    c.cy = Coordinate(in);
}

NameOrText ParseTitle(TokenStream& in) {
    if (in.Peek().kind == Token::String) return Text(ParseString(in));
    return Ordinal(static_cast<uint16_t>(ParseExpression(in)));
}

uint16_t ParseId(TokenStream& in) { return static_cast<uint16_t>(ParseExpression(in)); }

// A menu or window class: a string, a word that is no constant, or a number.
NameOrText ParseNameField(TokenStream& in) {
    const Token& t = in.Peek();
    if (t.kind == Token::String) return Text(ParseString(in));
    if (t.kind == Token::Ident && !PlatformConstant(t.text)) {
        const std::string word = in.Next().text;
        return Text(std::u32string(word.begin(), word.end()));
    }
    return Ordinal(ParseId(in));
}

// CONTROL "text", id, "class", style, x, y, cx, cy [, exstyle]
Control ParseGenericControl(TokenStream& in) {
    Control c;
    c.title = ParseTitle(in); in.ExpectPunct(",");
    c.id = ParseId(in); in.ExpectPunct(",");
    c.cls = ParseClassName(in); in.ExpectPunct(",");
    c.style = ParseStyle(in, WS_CHILD | WS_VISIBLE); in.ExpectPunct(",");
    ParseGeometry(in, c);
    if (in.AcceptPunct(",")) c.exStyle = ParseStyle(in, 0);
    return c;
}

// KEYWORD ["text",] id, x, y, cx, cy [, style [, exstyle]]
Control ParseKnownControl(TokenStream& in, const ControlKind& kind) {
    Control c;
    c.cls = Ordinal(kind.atom);
    c.title = kind.hasText ? ParseTitle(in) : Text(U"");
    if (kind.hasText) in.ExpectPunct(",");
    c.id = ParseId(in); in.ExpectPunct(",");
    ParseGeometry(in, c);
    c.style = WS_CHILD | WS_VISIBLE | kind.defaults;
    if (in.AcceptPunct(",")) c.style = ParseStyle(in, c.style);
    if (in.AcceptPunct(",")) c.exStyle = ParseStyle(in, 0);
    return c;
}

Control ParseControl(TokenStream& in) {
    if (in.AcceptIdent("CONTROL")) return ParseGenericControl(in);
    for (const ControlKind& kind : kControlKinds)
        if (in.AcceptIdent(kind.keyword)) return ParseKnownControl(in, kind);
    in.Fail("expected a control statement");
}

}  // namespace

void ParseDialog(TokenStream& in, ScriptState& state, const ResourceName& name) {
    Control dialog;
    ParseGeometry(in, dialog);
    bool styleGiven = false, hasCaption = false, hasFont = false;
    uint16_t pointSize = 0;
    std::u16string faceName;
    NameOrText menu, cls;  // empty texts: a single zero word each, "none"
    std::u16string caption;
    uint16_t language = state.language;
    while (!in.AtBlockStart()) {
        if (in.AcceptIdent("STYLE")) { dialog.style = ParseStyle(in, 0); styleGiven = true; }
        else if (in.AcceptIdent("EXSTYLE")) dialog.exStyle = ParseStyle(in, 0);
        else if (in.AcceptIdent("CAPTION")) { caption = ToUtf16(ParseString(in)); hasCaption = true; }
        else if (in.AcceptIdent("FONT")) {
            pointSize = static_cast<uint16_t>(ParseExpression(in));
            in.ExpectPunct(",");
            faceName = ToUtf16(ParseString(in));
            while (in.AcceptPunct(",")) ParseExpression(in);  // weight, italic, character set: DIALOGEX only
            hasFont = true;
        }
        else if (in.AcceptIdent("MENU")) menu = ParseNameField(in);
        else if (in.AcceptIdent("CLASS")) cls = ParseNameField(in);
        else if (in.AcceptIdent("LANGUAGE")) {
            const long long primary = ParseExpression(in);
            in.ExpectPunct(",");
            language = static_cast<uint16_t>((ParseExpression(in) << 10) | primary);
        }
        else if (in.AcceptIdent("CHARACTERISTICS") || in.AcceptIdent("VERSION")) ParseExpression(in);
        else in.Fail("unknown dialog statement");
    }
    if (!styleGiven) dialog.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
    if (hasCaption) dialog.style |= WS_CAPTION;
    if (hasFont) dialog.style |= DS_SETFONT;

    std::vector<Control> controls;
    in.ExpectBlockStart();
    while (!in.AcceptBlockEnd()) {
        if (in.Peek().kind == Token::End) in.Fail("dialog without END");
        controls.push_back(ParseControl(in));
    }
    if (controls.size() > 0xFFFF) in.Fail("too many controls");

    ByteWriter out;
    out.Dword(dialog.style);
    out.Dword(dialog.exStyle);
    out.Word(static_cast<uint16_t>(controls.size()));
    out.Word(static_cast<uint16_t>(dialog.x)); out.Word(static_cast<uint16_t>(dialog.y));
    out.Word(static_cast<uint16_t>(dialog.cx)); out.Word(static_cast<uint16_t>(dialog.cy));
    WriteField(out, menu);
    WriteField(out, cls);
    out.Text(caption);
    if (dialog.style & DS_SETFONT) { out.Word(pointSize); out.Text(faceName); }
    for (const Control& c : controls) {
        out.Align4();
        out.Dword(c.style);
        out.Dword(c.exStyle);
        out.Word(static_cast<uint16_t>(c.x)); out.Word(static_cast<uint16_t>(c.y));
        out.Word(static_cast<uint16_t>(c.cx)); out.Word(static_cast<uint16_t>(c.cy));
        out.Word(c.id);
        WriteField(out, c.cls);
        WriteField(out, c.title);
        out.Word(0);  // no creation data
    }
    constexpr uint16_t kDialogType = 5;
    state.resources.push_back(CompiledResource{IdName(kDialogType), name, language, out.bytes});
}

}  // namespace cerc
