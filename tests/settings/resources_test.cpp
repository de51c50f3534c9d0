// HorvaneSet's compiled resources as the program finds them: the dialog template with every
// control, the sign list's initialisation data, the icon, the high-resolution flag and the
// version block.
#include <windows.h>

#include "res/resource.h"

#include "resource_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

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
    const std::vector<IconImage> expected = {{32, 8}, {16, 8}, {64, 32}};
    EXPECT_EQ(IconGroupImages(MAKEINTRESOURCE(IDR_MAINFRAME)), expected);
}

TEST(Resources, DeclaresItselfAwareOfHighResolution) {
    EXPECT_EQ(Resource(L"HI_RES_AWARE", L"CEUX"), (std::vector<uint8_t>{1, 0}));
    EXPECT_EQ(Resource(L"hi_res_aware", L"ceux"), (std::vector<uint8_t>{1, 0})) << "names regardless of case";
}

TEST(Resources, IdsWrittenAsTextAreIds) {
    EXPECT_EQ(Resource(L"#102", RT_DIALOG), Resource(MAKEINTRESOURCE(IDD_SETTINGS), RT_DIALOG));
    EXPECT_TRUE(Resource(L"#99999", RT_DIALOG).empty());
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

    std::vector<std::pair<std::u16string, std::u16string>> strings = VersionStrings(version);
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
