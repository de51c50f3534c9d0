// The agent's shortcut: its text, the options read back out of a shortcut file, and the
// replacement of the file.
#include "Shortcut.h"

#include "device.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

std::wstring BuildText(const wchar_t* folder, const wchar_t* options) {
    wchar_t text[SHORTCUT_TEXT_CHARS];
    BuildShortcutText(folder, options, text, SHORTCUT_TEXT_CHARS);
    return text;
}

// A fresh host folder; files in it are named to the platform with '\' separators.
class ShortcutFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/shortcut-test-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string HostPath() const { return dir_ + "/Horvane.lnk"; }
    std::wstring DevicePath() const {
        const std::string host = HostPath();
        std::wstring path(host.begin(), host.end());
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        return path;
    }
    std::string dir_;
};

TEST(BuildShortcutText, CountsTheTargetAndQuotesTheAgentPath) {
    EXPECT_EQ(BuildText(L"\\Program Files\\Sync\\", L" -htimehost -p123 -s -op30 -d5"),
              L"63#\"\\Program Files\\Sync\\Horvane.exe\" -htimehost -p123 -s -op30 -d5");
    EXPECT_EQ(BuildText(L"\\Program Files\\Sync\\", L""), L"33#\"\\Program Files\\Sync\\Horvane.exe\"");
}

TEST_F(ShortcutFolder, JapaneseFolderIsCountedInCharactersAndWrittenInCodePage932) {
    const std::wstring text = BuildText(L"\\プログラム\\時計\\", L" -s");
    EXPECT_EQ(text, L"26#\"\\プログラム\\時計\\Horvane.exe\" -s");  // 26 characters, 33 bytes
    ASSERT_TRUE(WriteShortcutFile(DevicePath().c_str(), text.c_str()));
    EXPECT_EQ(ReadFile(HostPath()),
              "26#\"\\\x83\x76\x83\x8D\x83\x4F\x83\x89\x83\x80\\\x8E\x9E\x8C\x76\\Horvane.exe\" -s");
}

TEST_F(ShortcutFolder, ExampleIsWrittenByteForByte) {
    const std::wstring text = BuildText(L"\\Program Files\\Sync\\", L" -htimehost -p123 -s -op30 -d5");
    ASSERT_TRUE(WriteShortcutFile(DevicePath().c_str(), text.c_str()));
    const std::string bytes = ReadFile(HostPath());
    EXPECT_EQ(bytes, "63#\"\\Program Files\\Sync\\Horvane.exe\" -htimehost -p123 -s -op30 -d5");
    EXPECT_EQ(bytes.size(), 66u);
}

TEST_F(ShortcutFolder, WriteReplacesThePreviousShortcutAndLeavesNothingBeside) {
    WriteFile(HostPath(), "a much longer previous shortcut text than the new one");
    ASSERT_TRUE(WriteShortcutFile(DevicePath().c_str(), L"3#\"x\""));
    EXPECT_EQ(ReadFile(HostPath()), "3#\"x\"");
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST_F(ShortcutFolder, WriteIntoAMissingFolderFailsAndCreatesNothing) {
    const std::wstring path = DevicePath().substr(0, DevicePath().rfind(L'\\')) + L"\\missing\\Horvane.lnk";
    EXPECT_FALSE(WriteShortcutFile(path.c_str(), L"3#\"x\""));
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/missing"));
}

// What a shortcut file yields. Absent values are nullptr; present ones their text.
struct LoadCase {
    const char* sentence;
    std::string bytes;
    const wchar_t* host;
    const wchar_t* port;
    bool silent;
    bool keepConnection;
    const wchar_t* offset;
    bool offsetMinus;
    const wchar_t* delay;
};

// "count#target" with the right count, for ASCII targets.
std::string Lnk(const std::string& target) { return std::to_string(target.size()) + "#" + target; }
std::string Padded(size_t length, const std::string& tail) { return std::string(length, 'x') + tail; }

const LoadCase kLoadCases[] = {
    {"an empty file holds nothing", "", nullptr, nullptr, false, false, nullptr, false, nullptr},
    {"a shortcut with only the target holds nothing", "33#\"\\Program Files\\Sync\\Horvane.exe\"",
     nullptr, nullptr, false, false, nullptr, false, nullptr},
    {"every option is found", Lnk("\"\\Program Files\\Sync\\Horvane.exe\" -htimehost -p123 -s -c -op30 -d5"),
     L"timehost", L"123", true, true, L"30", false, L"5"},
    {"-om selects minus", Lnk("\"\\A\\Horvane.exe\" -om45"), nullptr, nullptr, false, false, L"45", true, nullptr},
    {"-op decides over an earlier -om", Lnk("\"\\A\\Horvane.exe\" -om5 -op7"), nullptr, nullptr, false, false, L"7", false, nullptr},
    {"a folder named time-sync ticks silent", Lnk("\"\\time-sync\\Horvane.exe\" -p123"),
     nullptr, L"123", true, false, nullptr, false, nullptr},
    {"-d in the folder feeds the delay, not the real option", Lnk("\"\\my-d9x\\Horvane.exe\" -d5"),
     nullptr, nullptr, false, false, nullptr, false, L"9x"},
    {"a count that does not match loads like any other", "99#\"\\A\\Horvane.exe\" -hhost",
     L"host", nullptr, false, false, nullptr, false, nullptr},
    {"values are taken as texts, not numbers", Lnk("\"\\A\\Horvane.exe\" -pabc -d-1"),
     nullptr, L"abc", false, false, nullptr, false, L"-1"},
    {"values are cut to their limits", Lnk("\"\\A\\Horvane.exe\" -p1234567 -op123456789 -d123"),
     nullptr, L"12345", false, false, L"1234567", false, L"12"},
    {"code page 932 text is converted", "22#\"\\A\\Horvane.exe\" -h\x83\x54\x81\x5B\x83\x6F",
     L"サーバ", nullptr, false, false, nullptr, false, nullptr},
    {"a marker within the first 1023 bytes is found", Padded(1020, " -s"),
     nullptr, nullptr, true, false, nullptr, false, nullptr},
    {"text past 1023 bytes is not searched", Padded(1021, " -s"),
     nullptr, nullptr, false, false, nullptr, false, nullptr},
    {"the text ends at the first zero byte", std::string("3#\"x\"\0 -s", 9),
     nullptr, nullptr, false, false, nullptr, false, nullptr},
    {"a shortcut stored in UTF-16 yields nothing", std::string("3\0#\0\"\0x\0\"\0 \0-\0s\0", 16),
     nullptr, nullptr, false, false, nullptr, false, nullptr},
};

void ExpectValue(BOOL has, const wchar_t* value, const wchar_t* expected, const char* field, const char* sentence) {
    if (!expected) {
        EXPECT_FALSE(has) << sentence << ": " << field;
        EXPECT_EQ(std::wstring(value), L"") << sentence << ": " << field;
        return;
    }
    EXPECT_TRUE(has) << sentence << ": " << field;
    EXPECT_EQ(std::wstring(value), expected) << sentence << ": " << field;
}

TEST_F(ShortcutFolder, LoadRules) {
    for (const LoadCase& c : kLoadCases) {
        WriteFile(HostPath(), c.bytes);
        ShortcutValues v;
        ASSERT_TRUE(ReadShortcutValues(DevicePath().c_str(), &v)) << c.sentence;
        ExpectValue(v.hasHost, v.host, c.host, "host", c.sentence);
        ExpectValue(v.hasPort, v.port, c.port, "port", c.sentence);
        EXPECT_EQ(bool(v.silent), c.silent) << c.sentence << ": silent";
        EXPECT_EQ(bool(v.keepConnection), c.keepConnection) << c.sentence << ": keep connection";
        ExpectValue(v.hasOffset, v.offset, c.offset, "offset", c.sentence);
        EXPECT_EQ(bool(v.offsetMinus), c.offsetMinus) << c.sentence << ": minus";
        ExpectValue(v.hasDelay, v.delay, c.delay, "delay", c.sentence);
    }
}

TEST_F(ShortcutFolder, NoFileLoadsNothing) {
    ShortcutValues v;
    EXPECT_FALSE(ReadShortcutValues(DevicePath().c_str(), &v));
    EXPECT_FALSE(v.hasHost || v.hasPort || v.silent || v.keepConnection || v.hasOffset || v.hasDelay);
}

}  // namespace
