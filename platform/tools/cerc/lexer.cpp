// Tokens of the preprocessed script: numbers (decimal, 0x hex, L/U suffixes), strings with
// their escapes ("" and \" for a quotation mark), names and punctuation. Object-like macros
// are expanded in place.
#include "cerc.h"

#include <cctype>
#include <cstring>
#include <set>

namespace cerc {

namespace {

// Decodes UTF-8; a malformed byte stands for itself so that nothing is lost silently.
char32_t NextCodePoint(const std::string& s, size_t& i) {
    const unsigned char b = static_cast<unsigned char>(s[i++]);
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if (b < 0x80 || extra == 0) return b;
    char32_t c = b & (0x3F >> extra);
    for (; extra > 0 && i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80; --extra)
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return c;
}

void ReadEscape(const std::string& s, size_t& i, std::u32string& out, const std::string& where) {
    const char e = s[i++];
    switch (e) {
    case 'n': out += U'\n'; return;
    case 't': out += U'\t'; return;
    case 'r': out += U'\r'; return;
    case 'a': out += U'\a'; return;
    case '\\': out += U'\\'; return;
    case '"': out += U'"'; return;
    case 'x': case 'X': {
        char32_t c = 0;
        int n = 0;
        for (; n < 4 && i < s.size() && std::isxdigit(static_cast<unsigned char>(s[i])); ++n, ++i)
            c = c * 16 + static_cast<char32_t>(std::stoi(std::string(1, s[i]), nullptr, 16));
        if (n == 0) throw CompileError(where + ": \\x without digits");
        out += c;
        return;
    }
    default:
        if (e >= '0' && e <= '7') {
            char32_t c = static_cast<char32_t>(e - '0');
            for (int n = 1; n < 3 && i < s.size() && s[i] >= '0' && s[i] <= '7'; ++n, ++i)
                c = c * 8 + static_cast<char32_t>(s[i] - '0');
            out += c;
            return;
        }
        throw CompileError(where + ": unknown escape \\" + std::string(1, e));
    }
}

void Tokenize(const std::string& text, const std::string& where, std::vector<Token>& out) {
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isspace(c)) { ++i; continue; }
        Token t;
        t.where = where;
        const bool wideString = (c == 'L' || c == 'l') && i + 1 < text.size() && text[i + 1] == '"';
        if (c == '"' || wideString) {
            t.kind = Token::String;
            t.wide = wideString;
            i += wideString ? 2 : 1;
            for (;;) {
                if (i >= text.size()) throw CompileError(where + ": unterminated string");
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') { t.chars += U'"'; i += 2; continue; }
                    ++i;
                    break;
                }
                if (text[i] == '\\' && i + 1 < text.size()) { ++i; ReadEscape(text, i, t.chars, where); continue; }
                t.chars += NextCodePoint(text, i);
            }
        } else if (std::isdigit(c)) {
            t.kind = Token::Number;
            size_t end = i;
            while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end]))) ++end;
            std::string digits = text.substr(i, end - i);
            while (!digits.empty() && std::strchr("lLuU", digits.back())) {
                if (digits.back() == 'l' || digits.back() == 'L') t.longSuffix = true;
                digits.pop_back();
            }
            size_t used = 0;
            try { t.number = std::stoll(digits, &used, 0); } catch (const std::exception&) { used = 0; }
            if (digits.empty() || used != digits.size()) throw CompileError(where + ": bad number " + text.substr(i, end - i));
            i = end;
        } else if (std::isalpha(c) || c == '_') {
            t.kind = Token::Ident;
            size_t end = i;
            while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) ++end;
            t.text = text.substr(i, end - i);
            i = end;
        } else {
            t.kind = Token::Punct;
            t.text = std::string(1, static_cast<char>(c));
            ++i;
        }
        out.push_back(std::move(t));
    }
}

// Replaces macro names by their tokens; a macro is not expanded inside itself.
void Expand(const std::vector<Token>& in, const std::map<std::string, std::string>& macros,
            std::set<std::string>& active, std::vector<Token>& out) {
    for (const Token& t : in) {
        auto it = t.kind == Token::Ident ? macros.find(t.text) : macros.end();
        if (it == macros.end() || active.count(t.text)) { out.push_back(t); continue; }
        std::vector<Token> body;
        Tokenize(it->second, t.where, body);
        active.insert(t.text);
        Expand(body, macros, active, out);
        active.erase(t.text);
    }
}

}  // namespace

TokenStream::TokenStream(const Preprocessed& source) {
    std::vector<Token> raw;
    for (const SourceLine& line : source.lines) Tokenize(line.text, line.file + ":" + std::to_string(line.line), raw);
    std::set<std::string> active;
    Expand(raw, source.macros, active, tokens_);
    Token end;
    end.where = source.lines.empty() ? "end of script" : source.lines.back().file + ": end of script";
    tokens_.push_back(end);
}

const Token& TokenStream::Peek(size_t ahead) const {
    return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
}

Token TokenStream::Next() {
    Token t = Peek();
    if (pos_ < tokens_.size() - 1) ++pos_;
    return t;
}

bool TokenStream::AcceptPunct(const char* punct) {
    if (Peek().kind != Token::Punct || Peek().text != punct) return false;
    Next();
    return true;
}

bool TokenStream::AcceptIdent(const char* word) {
    if (Peek().kind != Token::Ident || Peek().text != word) return false;
    Next();
    return true;
}

void TokenStream::ExpectPunct(const char* punct) {
    if (!AcceptPunct(punct)) Fail(std::string("expected '") + punct + "'");
}

bool TokenStream::AtBlockStart() const {
    const Token& t = Peek();
    return (t.kind == Token::Punct && t.text == "{") || (t.kind == Token::Ident && t.text == "BEGIN");
}

bool TokenStream::AcceptBlockStart() { return AcceptPunct("{") || AcceptIdent("BEGIN"); }
bool TokenStream::AcceptBlockEnd() { return AcceptPunct("}") || AcceptIdent("END"); }

void TokenStream::ExpectBlockStart() {
    if (!AcceptBlockStart()) Fail("expected BEGIN or '{'");
}

void TokenStream::Fail(const std::string& message) const {
    const Token& t = Peek();
    std::string seen = t.kind == Token::End ? "end of script" : t.kind == Token::String ? "a string"
                     : t.kind == Token::Number ? std::to_string(t.number) : "'" + t.text + "'";
    throw CompileError(t.where + ": " + message + " (found " + seen + ")");
}

}  // namespace cerc
