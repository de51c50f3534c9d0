// Reading a program's compiled resources in tests: the raw bytes as the program finds them,
// a bounds-checked reader of the platform's little-endian formats, the version block's texts
// and the images an icon group names.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// The resource's bytes, empty when the program has no such resource.
std::vector<uint8_t> Resource(LPCWSTR name, LPCWSTR type);

// Reads words, double words and UTF-16 texts; a read past the end fails the test.
class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    uint16_t Word();
    uint32_t Dword();
    std::u16string Text();   // up to its zero
    std::u16string Field();  // a class or title field: "#<ordinal>" for 0xFFFF + ordinal
    uint16_t Peek() const;
    void Align4() { pos_ = (pos_ + 3) & ~size_t(3); }
    size_t Pos() const { return pos_; }
    void Seek(size_t pos) { pos_ = pos; }
private:
    const std::vector<uint8_t>& bytes_;
    size_t pos_ = 0;
};

// The version block as a list of (path of keys, value): a text value as its text, a binary
// value as its 16-bit words. The root's value is the fixed part's words.
std::vector<std::pair<std::u16string, std::u16string>> VersionStrings(const std::vector<uint8_t>& version);

// The images of an icon group: size in pixels and bits per pixel, each checked against the
// image it names (same byte count).
struct IconImage {
    int size;
    int bits;
    bool operator==(const IconImage& other) const { return size == other.size && bits == other.bits; }
};
std::vector<IconImage> IconGroupImages(LPCWSTR groupName);

}  // namespace testsupport
