// A small JSON reader for the journal's lines.
#include "json.h"

#include <stdexcept>

namespace testsupport {

namespace {

const Json kNull;

struct Reader {
    const std::string& s;
    size_t i = 0;

    [[noreturn]] void Fail(const char* what) { throw std::runtime_error(std::string("json: ") + what + " at " + std::to_string(i)); }
    void Skip() { while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r')) ++i; }
    bool Eat(char c) { Skip(); if (i < s.size() && s[i] == c) { ++i; return true; } return false; }

    static void AppendUtf8(std::string& out, unsigned c) {
        if (c < 0x80) out += static_cast<char>(c);
        else if (c < 0x800) { out += static_cast<char>(0xC0 | (c >> 6)); out += static_cast<char>(0x80 | (c & 0x3F)); }
        else { out += static_cast<char>(0xE0 | (c >> 12)); out += static_cast<char>(0x80 | ((c >> 6) & 0x3F)); out += static_cast<char>(0x80 | (c & 0x3F)); }
    }

    std::string ReadString() {
        if (!Eat('"')) Fail("expected string");
        std::string out;
        while (i < s.size() && s[i] != '"') {
            char c = s[i++];
            if (c != '\\') { out += c; continue; }
            if (i >= s.size()) Fail("bad escape");
            c = s[i++];
            switch (c) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                if (i + 4 > s.size()) Fail("bad \\u");
                AppendUtf8(out, static_cast<unsigned>(std::stoul(s.substr(i, 4), nullptr, 16)));
                i += 4;
                break;
            }
            default: out += c;
            }
        }
        if (i >= s.size()) Fail("unterminated string");
        ++i;
        return out;
    }

    Json ReadValue() {
        Skip();
        if (i >= s.size()) Fail("unexpected end");
        Json v;
        const char c = s[i];
        if (c == '{') {
            ++i;
            v.kind = Json::Object;
            if (Eat('}')) return v;
            do {
                std::string key = ReadString();
                if (!Eat(':')) Fail("expected ':'");
                v.object[key] = ReadValue();
            } while (Eat(','));
            if (!Eat('}')) Fail("expected '}'");
        } else if (c == '[') {
            ++i;
            v.kind = Json::Array;
            if (Eat(']')) return v;
            do v.array.push_back(ReadValue()); while (Eat(','));
            if (!Eat(']')) Fail("expected ']'");
        } else if (c == '"') {
            v.kind = Json::String;
            v.string = ReadString();
        } else if (s.compare(i, 4, "true") == 0) { v.kind = Json::Bool; v.boolean = true; i += 4; }
        else if (s.compare(i, 5, "false") == 0) { v.kind = Json::Bool; i += 5; }
        else if (s.compare(i, 4, "null") == 0) { i += 4; }
        else {
            size_t used = 0;
            v.kind = Json::Number;
            v.number = std::stod(s.substr(i), &used);
            i += used;
        }
        return v;
    }
};

}  // namespace

const Json& Json::operator[](const std::string& key) const {
    auto it = object.find(key);
    return it == object.end() ? kNull : it->second;
}

const Json& Json::operator[](size_t index) const { return index < array.size() ? array[index] : kNull; }

Json Json::Parse(const std::string& text) {
    Reader r{text};
    Json v = r.ReadValue();
    r.Skip();
    if (r.i != text.size()) r.Fail("trailing characters");
    return v;
}

}  // namespace testsupport
