// Code pages: UTF-16 texts to and from the ANSI code page (932 unless CE_ACP says otherwise),
// converted with the host's iconv.
#include <windows.h>

#include "host/host.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <string>

namespace {

std::string IconvName(UINT codePage) {
    if (codePage == CP_ACP) codePage = GetACP();
    switch (codePage) {
    case 932: return "CP932";
    case 1252: return "CP1252";
    case CP_UTF8: return "UTF-8";
    default: return "CP" + std::to_string(codePage);
    }
}

// Converts through iconv; stops at the first byte sequence that cannot be converted.
bool Convert(const std::string& from, const std::string& to, const char* in, size_t inBytes, std::string& out) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.clear();
    char buf[4096];
    char* src = const_cast<char*>(in);
    while (inBytes > 0) {
        char* dst = buf;
        size_t room = sizeof buf;
        const size_t r = iconv(cd, &src, &inBytes, &dst, &room);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            // An unconvertible sequence: put the default character in its place and go on.
            out.append(to == "UTF-32LE" ? std::string("\x3f\0\0\0", 4) : std::string("?"));
            ++src;
            --inBytes;
        }
    }
    iconv_close(cd);
    return true;
}

}  // namespace

UINT WINAPI GetACP(void) {
    static const UINT acp = [] {
        const char* env = std::getenv("CE_ACP");
        return env && *env ? static_cast<UINT>(std::strtoul(env, nullptr, 10)) : 932u;
    }();
    return acp;
}

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByte, int multiByteCount, LPWSTR wide,
                               int wideCount) {
    (void)flags;
    if (!multiByte || wideCount < 0 || (wideCount > 0 && !wide)) { SetLastError(ERROR_INVALID_PARAMETER); return 0; }
    const size_t inBytes = multiByteCount < 0 ? std::strlen(multiByte) + 1 : static_cast<size_t>(multiByteCount);
    std::string utf32;
    if (!Convert(IconvName(codePage), "UTF-32LE", multiByte, inBytes, utf32)) { SetLastError(ERROR_INVALID_PARAMETER); return 0; }
    const size_t n = utf32.size() / 4;
    if (wideCount == 0) return static_cast<int>(n);
    if (n > static_cast<size_t>(wideCount)) { SetLastError(ERROR_INSUFFICIENT_BUFFER); return 0; }
    for (size_t i = 0; i < n; ++i) {
        uint32_t c;
        std::memcpy(&c, utf32.data() + 4 * i, 4);
        wide[i] = static_cast<WCHAR>(c);
    }
    return static_cast<int>(n);
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR multiByte,
                               int multiByteCount, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
    (void)flags;
    (void)defaultChar;
    if (usedDefaultChar) *usedDefaultChar = FALSE;
    if (!wide || multiByteCount < 0 || (multiByteCount > 0 && !multiByte)) { SetLastError(ERROR_INVALID_PARAMETER); return 0; }
    const size_t units = wideCount < 0 ? std::wcslen(wide) + 1 : static_cast<size_t>(wideCount);
    std::string utf32(units * 4, '\0');
    for (size_t i = 0; i < units; ++i) {
        const uint32_t c = static_cast<uint32_t>(wide[i]);
        std::memcpy(&utf32[4 * i], &c, 4);
    }
    std::string bytes;
    if (!Convert("UTF-32LE", IconvName(codePage), utf32.data(), utf32.size(), bytes)) { SetLastError(ERROR_INVALID_PARAMETER); return 0; }
    if (multiByteCount == 0) return static_cast<int>(bytes.size());
    if (bytes.size() > static_cast<size_t>(multiByteCount)) {
        // Like the device: nothing usable is promised past the buffer; report the shortage.
        std::memcpy(multiByte, bytes.data(), static_cast<size_t>(multiByteCount));
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(multiByte, bytes.data(), bytes.size());
    return static_cast<int>(bytes.size());
}
