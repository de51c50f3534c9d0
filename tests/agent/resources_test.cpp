// The agent's compiled resources as the program finds them: the icon that the shell shows for
// the program and its shortcut, and the version block.
#include <windows.h>

#include "res/resource.h"
#include "resource_reader.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

TEST(AgentResources, IconGroupHoldsThreeImages) {
    const std::vector<IconImage> expected = {{32, 8}, {16, 8}, {64, 32}};
    EXPECT_EQ(IconGroupImages(MAKEINTRESOURCE(IDI_HORVANE)), expected);
}

TEST(AgentResources, VersionBlockNamesTheAgentInAJapaneseUnicodeTable) {
    const std::vector<std::pair<std::u16string, std::u16string>> strings =
        VersionStrings(Resource(MAKEINTRESOURCE(1), RT_VERSION));
    ASSERT_FALSE(strings.empty());
    const std::u16string fixed = strings.front().second;
    ASSERT_GE(fixed.size(), 12u);
    EXPECT_EQ(fixed.substr(0, 2), (std::u16string{0x04BD, 0xFEEF})) << "signature of the fixed part";
    EXPECT_EQ(fixed.substr(4, 8), (std::u16string{1, 1, 0, 0, 1, 1, 0, 0})) << "file and product version 1.1.0.0";

    const std::u16string table = u"/VS_VERSION_INFO/StringFileInfo/041104b0/";
    const std::vector<std::pair<std::u16string, std::u16string>> expected = {
        {table + u"CompanyName", u"Orvik"},
        {table + u"FileVersion", u"1, 1, 0, 0"},
        {table + u"InternalName", u"Horvane.exe"},
        {table + u"OriginalFilename", u"Horvane.exe"},
        {table + u"ProductName", u"Horvane"},
        {table + u"ProductVersion", u"1, 1, 0, 0"},
        {u"/VS_VERSION_INFO/VarFileInfo/Translation", std::u16string{0x0411, 1200}},
    };
    const std::vector<std::pair<std::u16string, std::u16string>> texts(strings.begin() + 1, strings.end());
    EXPECT_EQ(texts, expected);
}

}  // namespace
