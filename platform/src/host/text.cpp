// UTF-8 <-> wide text for the journal, paths and the command line.
#include "host/host.h"

namespace host {

std::string ToUtf8(const std::wstring& text) {
    std::string out;
    for (wchar_t wc : text) {
        uint32_t c = static_cast<uint32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::wstring FromUtf8(const std::string& text) {
    std::wstring out;
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        int extra = 0;
        uint32_t c = 0, min = 0;
        if (b < 0x80) { c = b; }
        else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; min = 0x80; }
        else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; min = 0x800; }
        else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; min = 0x10000; }
        else { out += L'\xFFFD'; ++i; continue; }
        size_t j = i + 1;
        int k = 0;
        for (; k < extra && j < n; ++k, ++j) {
            const unsigned char cb = static_cast<unsigned char>(text[j]);
            if ((cb & 0xC0) != 0x80) break;
            c = (c << 6) | (cb & 0x3F);
        }
        if (k != extra || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out += L'\xFFFD';
            i = (k == extra) ? j : i + 1 + k;
            continue;
        }
        out += static_cast<wchar_t>(c);
        i = j;
    }
    return out;
}

}  // namespace host
