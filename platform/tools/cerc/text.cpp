// The script's texts in the platform's encodings: 16-bit units, and the ANSI code page of a
// resource's language.
#include "cerc.h"

#include <cstdio>
#include <iconv.h>

namespace cerc {

std::u16string ToUtf16(const std::u32string& text) {
    std::u16string out;
    for (char32_t c : text) {
        if (c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c > 0x10FFFF ? 0xFFFD : c);
        }
    }
    return out;
}

std::string ToAnsi(const std::u32string& text, uint16_t language) {
    constexpr uint16_t kJapanese = 0x11;
    const char* codePage = (language & 0x3FF) == kJapanese ? "CP932" : "CP1252";
    iconv_t cd = iconv_open(codePage, "UTF-32LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw CompileError(std::string("no converter for ") + codePage);
    std::string out;
    for (char32_t c : text) {
        char in[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
                      static_cast<char>((c >> 16) & 0xFF), static_cast<char>(c >> 24)};
        char buf[8];
        char* src = in;
        char* dst = buf;
        size_t inLeft = 4, outLeft = sizeof buf;
        if (iconv(cd, &src, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1)) {
            iconv_close(cd);
            char name[16];
            std::snprintf(name, sizeof name, "U+%04lX", static_cast<unsigned long>(c));
            throw CompileError(std::string(name) + " has no character in " + codePage);
        }
        out.append(buf, static_cast<size_t>(dst - buf));
    }
    iconv_close(cd);
    return out;
}

}  // namespace cerc
