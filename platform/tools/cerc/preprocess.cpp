// The script's preprocessor: comments, #include "file", object-like #define/#undef, the
// conditionals (#if with defined(), numbers, !, &&, ||, ==, !=) and #pragma code_page.
// #include <header> is skipped: the platform's constants are known by name.
#include "cerc.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace cerc {

namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw CompileError(path + ": cannot be read");
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    return text;
}

std::string Trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// Blanks comments (keeping line breaks) and joins lines continued with a backslash.
std::string StripComments(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            out += c;
            for (++i; i < text.size() && text[i] != '"' && text[i] != '\n'; ++i) {
                out += text[i];
                if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] != '\n') out += text[++i];
            }
            if (i < text.size()) out += text[i];
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n') ++i;
            if (i < text.size()) out += '\n';
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            for (i += 2; i + 1 < text.size() && !(text[i] == '*' && text[i + 1] == '/'); ++i)
                if (text[i] == '\n') out += '\n';
            ++i;
            out += ' ';
        } else if (c == '\\' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;  // continuation: the next line joins this one
        } else {
            out += c;
        }
    }
    return out;
}

class ConditionParser {
public:
    ConditionParser(const std::string& text, const std::map<std::string, std::string>& macros)
        : text_(text), macros_(macros) {}
    long long Parse(const std::string& where) {
        const long long v = Or();
        Skip();
        if (pos_ != text_.size()) throw CompileError(where + ": cannot evaluate #if " + text_);
        return v;
    }
private:
    void Skip() { while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_; }
    bool Accept(const char* op) {
        Skip();
        const std::string o(op);
        if (text_.compare(pos_, o.size(), o) != 0) return false;
        pos_ += o.size();
        return true;
    }
    std::string Word() {
        Skip();
        size_t b = pos_;
        while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_')) ++pos_;
        return text_.substr(b, pos_ - b);
    }
    long long Or() { long long v = And(); while (Accept("||")) { const long long r = And(); v = v || r; } return v; }
    long long And() { long long v = Equality(); while (Accept("&&")) { const long long r = Equality(); v = v && r; } return v; }
    long long Equality() {
        long long v = Unary();
        for (;;) {
            if (Accept("==")) v = v == Unary();
            else if (Accept("!=")) v = v != Unary();
            else return v;
        }
    }
    long long Unary() {
        if (Accept("!")) return !Unary();
        if (Accept("(")) { const long long v = Or(); Accept(")"); return v; }
        const std::string w = Word();
        if (w == "defined") {
            const bool paren = Accept("(");
            const std::string name = Word();
            if (paren) Accept(")");
            return macros_.count(name) != 0;
        }
        if (w.empty()) return 0;
        if (std::isdigit(static_cast<unsigned char>(w[0]))) return std::stoll(w, nullptr, 0);
        auto it = macros_.find(w);  // an undefined name counts as 0, as in C
        return it == macros_.end() || it->second.empty() ? 0 : std::stoll(it->second, nullptr, 0);
    }
    const std::string& text_;
    const std::map<std::string, std::string>& macros_;
    size_t pos_ = 0;
};

struct Conditional {
    bool active;      // this branch's lines are taken
    bool taken;       // some branch of this #if was taken
    bool outerActive;
};

void ReadFile(const std::string& path, Preprocessed& out, int depth) {
    if (depth > 16) throw CompileError(path + ": includes nest too deeply");
    out.files.push_back(path);
    const std::string folder = path.find('/') == std::string::npos ? "." : path.substr(0, path.rfind('/'));
    std::istringstream in(StripComments(ReadWhole(path)));
    std::vector<Conditional> stack;
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string where = path + ":" + std::to_string(lineNo);
        const bool active = stack.empty() || stack.back().active;
        const std::string line = Trim(raw);
        if (line.empty() || line[0] != '#') {
            if (active) out.lines.push_back({path, lineNo, raw});
            continue;
        }
        std::string directive = Trim(line.substr(1));
        const size_t space = directive.find_first_of(" \t(");
        const std::string word = directive.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : Trim(directive.substr(space));
        if (word == "if" || word == "ifdef" || word == "ifndef") {
            bool cond = false;
            if (active) {
                if (word == "ifdef") cond = out.macros.count(rest) != 0;
                else if (word == "ifndef") cond = out.macros.count(rest) == 0;
                else cond = ConditionParser(rest, out.macros).Parse(where) != 0;
            }
            stack.push_back({active && cond, cond, active});
        } else if (word == "elif") {
            if (stack.empty()) throw CompileError(where + ": #elif without #if");
            Conditional& c = stack.back();
            const bool cond = c.outerActive && !c.taken && ConditionParser(rest, out.macros).Parse(where) != 0;
            c.active = cond;
            c.taken = c.taken || cond;
        } else if (word == "else") {
            if (stack.empty()) throw CompileError(where + ": #else without #if");
            Conditional& c = stack.back();
            c.active = c.outerActive && !c.taken;
            c.taken = true;
        } else if (word == "endif") {
            if (stack.empty()) throw CompileError(where + ": #endif without #if");
            stack.pop_back();
        } else if (!active) {
            continue;
        } else if (word == "include") {
            if (rest.size() > 2 && rest.front() == '"' && rest.back() == '"')
                ReadFile(folder + "/" + rest.substr(1, rest.size() - 2), out, depth + 1);
            else if (rest.empty() || rest.front() != '<')
                throw CompileError(where + ": malformed #include");
        } else if (word == "define") {
            const size_t end = rest.find_first_of(" \t(");
            const std::string name = rest.substr(0, end);
            if (name.empty()) throw CompileError(where + ": #define without a name");
            if (end != std::string::npos && rest[end] == '(') continue;  // function-like: not used in scripts
            out.macros[name] = end == std::string::npos ? "" : Trim(rest.substr(end));
        } else if (word == "undef") {
            out.macros.erase(rest);
        } else if (word == "pragma") {
            if (rest.rfind("code_page", 0) == 0 && rest.find("65001") == std::string::npos)
                throw CompileError(where + ": scripts are read as UTF-8; only code_page(65001) is accepted");
        } else if (word != "error" && word != "line") {
            throw CompileError(where + ": unknown directive #" + word);
        } else if (word == "error") {
            throw CompileError(where + ": #error " + rest);
        }
    }
    if (!stack.empty()) throw CompileError(path + ": #if without #endif");
}

}  // namespace

Preprocessed Preprocess(const std::string& path) {
    Preprocessed out;
    out.macros["RC_INVOKED"] = "1";
    ReadFile(path, out, 0);
    return out;
}

}  // namespace cerc
