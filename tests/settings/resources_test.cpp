// HorvaneSet's compiled resources as the program finds them: the dialog template with every
// control, the sign list's initialisation data, the icon, the high-resolution flag and the
// version block.
#include <windows.h>

#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Resource(LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(nullptr, name, type);
    if (!found) return {};
    const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
    return std::vector<uint8_t>(data, data + SizeofResource(nullptr, found));
}

// Reads the platform's little-endian binary formats; a read past the end fails the test.
class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    uint16_t Word() {
        if (pos_ + 2 > bytes_.size()) { ADD_FAILURE() << "read past the end"; pos_ = bytes_.size(); return 0; }
        pos_ += 2;
        return static_cast<uint16_t>(bytes_[pos_ - 2] | bytes_[pos_ - 1] << 8);
    }
    uint32_t Dword() { const uint32_t lo = Word(); return lo | static_cast<uint32_t>(Word()) << 16; }
    std::u16string Text() {
        std::u16string s;
        for (uint16_t c = Word(); c != 0; c = Word()) s += static_cast<char16_t>(c);
        return s;
    }
    // A class or title field: "#<ordinal>" for 0xFFFF + ordinal, else the text.
    std::u16string Field() {
        if (Peek() != 0xFFFF) return Text();
        Word();
        const std::string ordinal = "#" + std::to_string(Word());
        return std::u16string(ordinal.begin(), ordinal.end());
    }
    uint16_t Peek() const { return pos_ + 2 <= bytes_.size() ? static_cast<uint16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8) : 0; }
    void Align4() { pos_ = (pos_ + 3) & ~size_t(3); }
    size_t Pos() const { return pos_; }
    void Seek(size_t pos) { pos_ = pos; }
private:
    const std::vector<uint8_t>& bytes_;
    size_t pos_ = 0;
};

struct ControlRow {
    uint16_t id;
    const char16_t* cls;
    const char16_t* text;
    uint32_t style;
    int16_t x, y, cx, cy;
};

constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;
const ControlRow kControls[] = {
    {IDC_HOST, u"#129", u"", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 20, 97, 15},
    {IDC_PORT, u"#129", u"", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, 108, 20, 23, 15},
    {IDC_HOST_LABEL, u"#130", u"NTPサーバホスト名：", kChild | WS_GROUP | SS_LEFT, 7, 7, 78, 13},
    {IDC_PORT_LABEL, u"#130", u"ポート番号：", kChild | WS_GROUP | SS_RIGHT, 81, 7, 50, 13},
    {IDC_SILENT, u"#128", u"メッセージを出さずに終了する。", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 7, 39, 124, 14},
    {IDC_KEEP_CONNECTION, u"#128", u"通信を切断せずに終了する。", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 7, 57, 124, 14},
    {IDC_OFFSET, u"#129", u"", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, 51, 77, 31, 15},
    {IDC_OFFSET_SIGN, u"#133", u"", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 94, 77, 37, 38},
    {IDC_OFFSET_LABEL, u"#130", u"オフセット秒数：", kChild | WS_GROUP | SS_LEFT, 7, 79, 45, 13},
    {IDC_OFFSET_UNIT, u"#130", u"秒", kChild | WS_GROUP | SS_LEFT, 84, 79, 13, 13},
    {IDC_DELAY, u"#129", u"", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, 41, 98, 16, 15},
    {IDC_DELAY_LABEL, u"#130", u"遅延起動：", kChild | WS_GROUP | SS_LEFT, 7, 100, 35, 13},
    {IDC_DELAY_UNIT, u"#130", u"秒後に処理を開始する。", kChild | WS_GROUP | SS_LEFT, 61, 100, 69, 13},
};

TEST(Resources, SettingsDialogTemplateHoldsEveryControlInTabOrder) {
    const std::vector<uint8_t> dialog = Resource(MAKEINTRESOURCE(IDD_SETTINGS), RT_DIALOG);
    ASSERT_FALSE(dialog.empty());
    Reader in(dialog);
    EXPECT_EQ(in.Dword(), uint32_t(WS_VISIBLE | WS_CAPTION | DS_SETFONT));
    EXPECT_EQ(in.Dword(), uint32_t(WS_EX_CAPTIONOKBTN | WS_EX_APPWINDOW));
    const uint16_t count = in.Word();
    ASSERT_EQ(count, std::size(kControls));
    EXPECT_EQ((std::vector<uint16_t>{in.Word(), in.Word(), in.Word(), in.Word()}), (std::vector<uint16_t>{0, 0, 138, 129}));
    EXPECT_EQ(in.Field(), u"") << "menu";
    EXPECT_EQ(in.Field(), u"") << "window class";
    EXPECT_EQ(in.Text(), u"Horvaneの設定");
    EXPECT_EQ(in.Word(), 9);
    EXPECT_EQ(in.Text(), u"MS UI Gothic");
    for (const ControlRow& row : kControls) {
        in.Align4();
        const uint32_t style = in.Dword();
        const uint32_t exStyle = in.Dword();
        const int16_t x = static_cast<int16_t>(in.Word()), y = static_cast<int16_t>(in.Word());
        const int16_t cx = static_cast<int16_t>(in.Word()), cy = static_cast<int16_t>(in.Word());
        const uint16_t id = in.Word();
        SCOPED_TRACE("control " + std::to_string(row.id));
        EXPECT_EQ(id, row.id);
        EXPECT_EQ(style, row.style);
        EXPECT_EQ(exStyle, 0u);
        EXPECT_EQ((std::vector<int16_t>{x, y, cx, cy}), (std::vector<int16_t>{row.x, row.y, row.cx, row.cy}));
        EXPECT_EQ(in.Field(), row.cls);
        EXPECT_EQ(in.Field(), row.text);
        EXPECT_EQ(in.Word(), 0) << "creation data";
    }
    EXPECT_EQ(in.Pos(), dialog.size());
}

TEST(Resources, SignListEntriesAreAddedInCodePage932) {
    const std::vector<uint8_t> init = Resource(MAKEINTRESOURCE(IDD_SETTINGS), RT_DLGINIT);
    const std::string plus = "\x83\x76\x83\x89\x83\x58";                 // プラス
    const std::string minus = "\x83\x7D\x83\x43\x83\x69\x83\x58";         // マイナス
    std::string expected;
    for (const std::string& text : {plus, minus}) {
        const uint16_t id = IDC_OFFSET_SIGN, message = 0x0403;
        const uint32_t length = static_cast<uint32_t>(text.size() + 1);
        expected += std::string{char(id & 0xFF), char(id >> 8), char(message & 0xFF), char(message >> 8)};
        expected += std::string{char(length), 0, 0, 0} + text + std::string(1, '\0');
    }
    expected += std::string(2, '\0');
    EXPECT_EQ(std::string(init.begin(), init.end()), expected);
}

TEST(Resources, IconGroupNamesThreeImages) {
    const std::vector<uint8_t> group = Resource(MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON);
    ASSERT_FALSE(group.empty());
    Reader in(group);
    EXPECT_EQ(in.Word(), 0);
    EXPECT_EQ(in.Word(), 1);
    ASSERT_EQ(in.Word(), 3);
    const struct { int size, bits; } images[] = {{32, 8}, {16, 8}, {64, 32}};
    for (const auto& image : images) {
        const uint16_t sizes = in.Word();
        in.Word();  // colour count, reserved
        EXPECT_EQ(in.Word(), 1) << "planes";
        EXPECT_EQ(in.Word(), image.bits);
        const uint32_t bytes = in.Dword();
        const uint16_t id = in.Word();
        EXPECT_EQ(sizes, (image.size & 0xFF) | (image.size & 0xFF) << 8);
        const std::vector<uint8_t> bitmap = Resource(MAKEINTRESOURCE(id), RT_ICON);
        EXPECT_EQ(bitmap.size(), bytes) << "image " << id;
    }
}

TEST(Resources, DeclaresItselfAwareOfHighResolution) {
    EXPECT_EQ(Resource(L"HI_RES_AWARE", L"CEUX"), (std::vector<uint8_t>{1, 0}));
    EXPECT_EQ(Resource(L"hi_res_aware", L"ceux"), (std::vector<uint8_t>{1, 0})) << "names regardless of case";
}

TEST(Resources, IdsWrittenAsTextAreIds) {
    EXPECT_EQ(Resource(L"#102", RT_DIALOG), Resource(MAKEINTRESOURCE(IDD_SETTINGS), RT_DIALOG));
    EXPECT_TRUE(Resource(L"#99999", RT_DIALOG).empty());
}

// The version block's tree: each node's key and, for text values, the text.
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

TEST(Resources, VersionBlockNamesProductAndJapaneseCodePage) {
    const std::vector<uint8_t> version = Resource(MAKEINTRESOURCE(1), RT_VERSION);
    ASSERT_GE(version.size(), 92u);
    Reader fixed(version);
    fixed.Seek(40);  // header of 6 bytes, "VS_VERSION_INFO" with its zero, padding
    EXPECT_EQ(fixed.Dword(), 0xFEEF04BDu);
    fixed.Dword();
    EXPECT_EQ(fixed.Dword(), 0x00010001u) << "file version 1.1";
    EXPECT_EQ(fixed.Dword(), 0x00000000u) << "file version .0.0";
    EXPECT_EQ(fixed.Dword(), 0x00010001u) << "product version 1.1";
    EXPECT_EQ(fixed.Dword(), 0x00000000u) << "product version .0.0";

    std::vector<std::pair<std::u16string, std::u16string>> strings;
    CollectStrings(version, 0, u"", strings);
    const std::u16string table = u"/VS_VERSION_INFO/StringFileInfo/041103a4/";
    const std::vector<std::pair<std::u16string, std::u16string>> expected = {
        {u"/VS_VERSION_INFO", std::u16string()},
        {table + u"CompanyName", u"Orvik"},
        {table + u"FileVersion", u"1, 1, 0, 0"},
        {table + u"InternalName", u"HorvaneSet.exe"},
        {table + u"OriginalFilename", u"HorvaneSet.exe"},
        {table + u"ProductName", u"HorvaneSet"},
        {table + u"ProductVersion", u"1, 1, 0, 0"},
        {u"/VS_VERSION_INFO/VarFileInfo/Translation", std::u16string{0x0411, 932}},
    };
    ASSERT_FALSE(strings.empty());
    strings.front().second.clear();  // the fixed part, checked above
    EXPECT_EQ(strings, expected);
}

}  // namespace
