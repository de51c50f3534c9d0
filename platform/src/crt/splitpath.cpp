// _wsplitpath_s: a path into drive, folder (with its trailing backslash), file name and
// extension; each part that is asked for must fit its buffer.
#include <stdlib.h>

#include <cerrno>
#include <cwchar>

namespace {

// Copies [begin, end) into out; EINVAL/ERANGE as the device runtime reports them.
errno_t CopyPart(const wchar_t* begin, const wchar_t* end, wchar_t* out, size_t count) {
    if (!out) return count == 0 ? 0 : EINVAL;
    if (count == 0) return EINVAL;
    const size_t n = static_cast<size_t>(end - begin);
    if (n >= count) { out[0] = L'\0'; return ERANGE; }
    std::wmemcpy(out, begin, n);
    out[n] = L'\0';
    return 0;
}

}  // namespace

errno_t _wsplitpath_s(const wchar_t* path, wchar_t* drive, size_t driveCount, wchar_t* dir, size_t dirCount,
                      wchar_t* fname, size_t fnameCount, wchar_t* ext, size_t extCount) {
    if (!path) return EINVAL;
    const wchar_t* p = path;
    const wchar_t* driveEnd = p;
    if (p[0] && p[1] == L':') driveEnd = p + 2;
    const wchar_t* dirEnd = driveEnd;
    for (const wchar_t* q = driveEnd; *q; ++q)
        if (*q == L'\\' || *q == L'/') dirEnd = q + 1;
    const wchar_t* end = dirEnd + std::wcslen(dirEnd);
    const wchar_t* dot = end;
    for (const wchar_t* q = dirEnd; q < end; ++q)
        if (*q == L'.') dot = q;
    errno_t err = 0;
    errno_t e;
    if ((drive || driveCount) && (e = CopyPart(p, driveEnd, drive, driveCount))) err = e;
    if ((dir || dirCount) && (e = CopyPart(driveEnd, dirEnd, dir, dirCount))) err = e;
    if ((fname || fnameCount) && (e = CopyPart(dirEnd, dot, fname, fnameCount))) err = e;
    if ((ext || extCount) && (e = CopyPart(dot, end, ext, extCount))) err = e;
    return err;
}
