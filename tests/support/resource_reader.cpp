// Reading a program's compiled resources in tests.
#include "resource_reader.h"

#include <gtest/gtest.h>

namespace testsupport {

std::vector<uint8_t> Resource(LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(nullptr, name, type);
    if (!found) return {};
    const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
    return std::vector<uint8_t>(data, data + SizeofResource(nullptr, found));
}

uint16_t Reader::Word() {
    if (pos_ + 2 > bytes_.size()) {
        ADD_FAILURE() << "read past the end";
        pos_ = bytes_.size();
        return 0;
    }
    pos_ += 2;
    return static_cast<uint16_t>(bytes_[pos_ - 2] | bytes_[pos_ - 1] << 8);
}

uint32_t Reader::Dword() {
    const uint32_t lo = Word();
    return lo | static_cast<uint32_t>(Word()) << 16;
}

std::u16string Reader::Text() {
    std::u16string s;
    for (uint16_t c = Word(); c != 0; c = Word()) s += static_cast<char16_t>(c);
    return s;
}

std::u16string Reader::Field() {
    if (Peek() != 0xFFFF) return Text();
    Word();
    const std::string ordinal = "#" + std::to_string(Word());
    return std::u16string(ordinal.begin(), ordinal.end());
}

uint16_t Reader::Peek() const {
    return pos_ + 2 <= bytes_.size() ? static_cast<uint16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8) : 0;
}

namespace {

// One node of the version tree and its children: length, value length, type, key, value.
void CollectStrings(const std::vector<uint8_t>& bytes, size_t start, std::u16string path,
                    std::vector<std::pair<std::u16string, std::u16string>>& out) {
    Reader in(bytes);
    in.Seek(start);
    const uint16_t length = in.Word();
    const uint16_t valueLength = in.Word();
    const uint16_t type = in.Word();
    const std::u16string key = in.Text();
    in.Align4();
    path += u"/" + key;
    if (type == 1 && valueLength > 0) {
        out.emplace_back(path, in.Text());
    } else if (valueLength > 0) {
        std::u16string words;
        for (uint16_t i = 0; i < valueLength / 2; ++i) words += static_cast<char16_t>(in.Word());
        out.emplace_back(path, words);
    }
    in.Align4();
    while (in.Pos() < start + length) {
        const size_t child = in.Pos();
        Reader peek(bytes);
        peek.Seek(child);
        const uint16_t childLength = peek.Word();
        if (childLength == 0) break;
        CollectStrings(bytes, child, path, out);
        in.Seek((child + childLength + 3) & ~size_t(3));
    }
}

}  // namespace

std::vector<std::pair<std::u16string, std::u16string>> VersionStrings(const std::vector<uint8_t>& version) {
    std::vector<std::pair<std::u16string, std::u16string>> strings;
    if (!version.empty()) CollectStrings(version, 0, u"", strings);
    return strings;
}

std::vector<IconImage> IconGroupImages(LPCWSTR groupName) {
    std::vector<IconImage> images;
    const std::vector<uint8_t> group = Resource(groupName, RT_GROUP_ICON);
    if (group.empty()) return images;
    Reader in(group);
    EXPECT_EQ(in.Word(), 0) << "reserved";
    EXPECT_EQ(in.Word(), 1) << "type: icon";
    const uint16_t count = in.Word();
    for (uint16_t i = 0; i < count; ++i) {
        const uint16_t sizes = in.Word();  // width and height, 0 for 256
        in.Word();                         // colour count, reserved
        EXPECT_EQ(in.Word(), 1) << "planes";
        const int bits = in.Word();
        const uint32_t bytes = in.Dword();
        const uint16_t id = in.Word();
        const int width = sizes & 0xFF, height = sizes >> 8;
        EXPECT_EQ(width, height) << "image " << id << " is square";
        EXPECT_EQ(Resource(MAKEINTRESOURCE(id), RT_ICON).size(), bytes) << "image " << id;
        images.push_back({width == 0 ? 256 : width, bits});
    }
    return images;
}

}  // namespace testsupport
