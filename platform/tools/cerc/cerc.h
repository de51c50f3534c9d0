// cerc, the platform's resource compiler: reads a resource script (.rc, UTF-8) and writes a
// C++ source that registers the compiled resources in the platform's binary formats.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cerc {

struct CompileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The script after preprocessing: its lines (directives removed, comments blanked) and the
// macros that #define gave.
struct SourceLine {
    std::string file;
    int line;
    std::string text;
};
struct Preprocessed {
    std::vector<SourceLine> lines;
    std::map<std::string, std::string> macros;
    std::vector<std::string> files;  // every file read, for the build's dependencies
};
Preprocessed Preprocess(const std::string& path);

struct Token {
    enum Kind { End, Number, String, Ident, Punct } kind = End;
    std::string text;        // Ident, Punct
    std::u32string chars;    // String: code points, escapes resolved
    bool wide = false;       // String: L"..."
    long long number = 0;    // Number
    bool longSuffix = false; // Number: 123L
    std::string where;       // "file:line" for messages
};

// Tokens of the preprocessed script with object-like macros expanded.
class TokenStream {
public:
    explicit TokenStream(const Preprocessed& source);
    const Token& Peek(size_t ahead = 0) const;
    Token Next();
    bool AcceptPunct(const char* punct);
    bool AcceptIdent(const char* word);  // case-sensitive keyword
    void ExpectPunct(const char* punct);
    bool AtBlockStart() const;           // "{" or BEGIN
    bool AcceptBlockStart();
    bool AcceptBlockEnd();               // "}" or END
    void ExpectBlockStart();
    [[noreturn]] void Fail(const std::string& message) const;
private:
    std::vector<Token> tokens_;
    size_t pos_ = 0;
};

// Constants of the platform's headers that scripts use by name (styles, languages, version).
std::optional<long long> PlatformConstant(const std::string& name);

// A resource type or name: an integer id, or an upper-case string.
struct ResourceName {
    bool isId = true;
    uint16_t id = 0;
    std::u16string name;
};
inline ResourceName IdName(uint16_t id) { ResourceName n; n.id = id; return n; }

struct CompiledResource {
    ResourceName type;
    ResourceName name;
    uint16_t language;
    std::vector<uint8_t> data;
};

// Little-endian binary output with the platform's 16-bit texts.
class ByteWriter {
public:
    void Byte(uint8_t v) { bytes.push_back(v); }
    void Word(uint16_t v) { Byte(v & 0xFF); Byte(v >> 8); }
    void Dword(uint32_t v) { Word(v & 0xFFFF); Word(v >> 16); }
    void Text(const std::u16string& text) { for (char16_t c : text) Word(c); Word(0); }
    void Align4() { while (bytes.size() % 4) Byte(0); }
    void PatchWord(size_t at, uint16_t v) { bytes[at] = v & 0xFF; bytes[at + 1] = v >> 8; }
    std::vector<uint8_t> bytes;
};

std::u16string ToUtf16(const std::u32string& text);
// Text in the ANSI code page of a language (932 for Japanese, 1252 otherwise).
std::string ToAnsi(const std::u32string& text, uint16_t language);

// Shared by the statement parsers.
struct ScriptState {
    std::string folder;       // of the main script: file names are relative to it
    uint16_t language = 0x0409;
    uint16_t nextIconId = 1;  // RT_ICON ids are numbered across the script
    std::vector<std::string> inputs;  // files read besides the script, for the build
    std::vector<CompiledResource> resources;
};
long long ParseExpression(TokenStream& in);
// A style: defaults, then "A | B | NOT C" where NOT clears bits.
uint32_t ParseStyle(TokenStream& in, uint32_t defaults);
std::u32string ParseString(TokenStream& in);

void ParseDialog(TokenStream& in, ScriptState& state, const ResourceName& name);
void ParseVersionInfo(TokenStream& in, ScriptState& state, const ResourceName& name);
void ParseIcon(TokenStream& in, ScriptState& state, const ResourceName& name);
std::vector<uint8_t> ParseRawData(TokenStream& in, const ScriptState& state);
// files receives every file read: the script, its includes and the data files it names.
std::vector<CompiledResource> CompileScript(const std::string& path, std::vector<std::string>* files);

std::string EmitSource(const std::string& script, const std::vector<CompiledResource>& resources);

}  // namespace cerc
