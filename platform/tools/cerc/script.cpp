// The script's statements: LANGUAGE, and "name TYPE ..." for dialogs, dialog initialisation
// data, icons, version blocks and raw data of any other type ({ numbers and strings } or a
// file name). Numbers are expressions of integers and the platform's named constants.
#include "cerc.h"

#include <fstream>
#include <iterator>

namespace cerc {

namespace {

constexpr uint16_t kDlgInitType = 240;
constexpr uint16_t kRcDataType = 10;

long long Primary(TokenStream& in) {
    if (in.AcceptPunct("(")) {
        const long long v = ParseExpression(in);
        in.ExpectPunct(")");
        return v;
    }
    if (in.AcceptPunct("-")) return -Primary(in);
    if (in.AcceptPunct("~")) return ~Primary(in);
    if (in.AcceptPunct("!")) return !Primary(in);
    if (in.AcceptPunct("+")) return Primary(in);
    const Token& t = in.Peek();
    if (t.kind == Token::Number) return in.Next().number;
    if (t.kind == Token::Ident) {
        if (std::optional<long long> v = PlatformConstant(t.text)) {
            in.Next();
            return *v;
        }
        in.Fail("unknown name " + t.text);
    }
    in.Fail("expected a number");
}

bool IsKeyword(const Token& t, const char* word) { return t.kind == Token::Ident && t.text == word; }

bool IsMemoryFlag(const Token& t) {
    static const char* const flags[] = {"DISCARDABLE", "MOVEABLE", "FIXED", "PURE", "IMPURE", "PRELOAD", "LOADONCALL"};
    for (const char* f : flags)
        if (IsKeyword(t, f)) return true;
    return false;
}

std::u16string UpperAscii(const std::u32string& text) {
    std::u16string out = ToUtf16(text);
    for (char16_t& c : out)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return out;
}

// A resource's name or type: a number or named constant is an id, any other word a string.
ResourceName ParseName(TokenStream& in) {
    const Token& t = in.Peek();
    if (t.kind == Token::String) return ResourceName{false, 0, UpperAscii(in.Next().chars)};
    if (t.kind == Token::Ident && !PlatformConstant(t.text)) {
        const std::string word = in.Next().text;
        return ResourceName{false, 0, UpperAscii(std::u32string(word.begin(), word.end()))};
    }
    const long long id = ParseExpression(in);
    if (id < 0 || id > 0xFFFF) in.Fail("resource id out of range");
    return IdName(static_cast<uint16_t>(id));
}

std::vector<uint8_t> ReadBinaryFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw CompileError(path + ": cannot be read");
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void ParseResource(TokenStream& in, ScriptState& state) {
    const ResourceName name = ParseName(in);
    if (IsKeyword(in.Peek(), "DIALOGEX")) in.Fail("only DIALOG templates are supported");
    const std::string keyword = in.Peek().kind == Token::Ident ? in.Peek().text : "";
    const bool statement = keyword == "DIALOG" || keyword == "ICON" || keyword == "VERSIONINFO" ||
                           keyword == "DLGINIT" || keyword == "RCDATA";
    ResourceName type = keyword == "DLGINIT" ? IdName(kDlgInitType) : IdName(kRcDataType);
    if (statement) in.Next();
    else type = ParseName(in);  // a type of the program's own, such as "CEUX"
    while (IsMemoryFlag(in.Peek())) in.Next();
    if (keyword == "DIALOG") { ParseDialog(in, state, name); return; }
    if (keyword == "ICON") { ParseIcon(in, state, name); return; }
    if (keyword == "VERSIONINFO") { ParseVersionInfo(in, state, name); return; }
    CompiledResource r{type, name, state.language, {}};
    if (in.Peek().kind == Token::String) {
        const std::u32string file = in.Next().chars;
        const std::string path = state.folder + "/" + std::string(file.begin(), file.end());
        state.inputs.push_back(path);
        r.data = ReadBinaryFile(path);
    } else {
        r.data = ParseRawData(in, state);
    }
    state.resources.push_back(std::move(r));
}

}  // namespace

long long ParseExpression(TokenStream& in) {
    long long v = Primary(in);
    for (;;) {
        if (in.AcceptPunct("|")) v |= Primary(in);
        else if (in.AcceptPunct("&")) v &= Primary(in);
        else if (in.AcceptPunct("+")) v += Primary(in);
        else if (in.AcceptPunct("-")) v -= Primary(in);
        else if (in.AcceptPunct("*")) v *= Primary(in);
        else return v;
    }
}

uint32_t ParseStyle(TokenStream& in, uint32_t defaults) {
    uint32_t style = defaults;
    do {
        const bool clear = in.AcceptIdent("NOT");
        const uint32_t bits = static_cast<uint32_t>(Primary(in));
        style = clear ? style & ~bits : style | bits;
    } while (in.AcceptPunct("|"));
    return style;
}

std::u32string ParseString(TokenStream& in) {
    if (in.Peek().kind != Token::String) in.Fail("expected a string");
    return in.Next().chars;
}

// { WORD, DWORD (123L), "text in the language's ANSI code page", L"16-bit text", ... }.
// Strings are written without a terminating zero: write "\0" where the data needs one.
std::vector<uint8_t> ParseRawData(TokenStream& in, const ScriptState& state) {
    ByteWriter out;
    in.ExpectBlockStart();
    while (!in.AcceptBlockEnd()) {
        const Token& t = in.Peek();
        if (t.kind == Token::End) in.Fail("data block without END");
        if (t.kind == Token::String) {
            const Token s = in.Next();
            if (s.wide) {
                for (char16_t c : ToUtf16(s.chars)) out.Word(c);
            } else {
                for (char c : ToAnsi(s.chars, state.language)) out.Byte(static_cast<uint8_t>(c));
            }
        } else {
            const bool isLong = t.kind == Token::Number && t.longSuffix;
            const long long v = ParseExpression(in);
            if (isLong) out.Dword(static_cast<uint32_t>(v));
            else out.Word(static_cast<uint16_t>(v));
        }
        in.AcceptPunct(",");
    }
    return out.bytes;
}

std::vector<CompiledResource> CompileScript(const std::string& path, std::vector<std::string>* files) {
    const Preprocessed source = Preprocess(path);
    if (files) *files = source.files;
    TokenStream in(source);
    ScriptState state;
    state.folder = path.find('/') == std::string::npos ? "." : path.substr(0, path.rfind('/'));
    while (in.Peek().kind != Token::End) {
        if (in.AcceptIdent("LANGUAGE")) {
            const long long primary = ParseExpression(in);
            in.ExpectPunct(",");
            const long long sub = ParseExpression(in);
            state.language = static_cast<uint16_t>((sub << 10) | primary);
            continue;
        }
        ParseResource(in, state);
    }
    if (files) files->insert(files->end(), state.inputs.begin(), state.inputs.end());
    return state.resources;
}

}  // namespace cerc
