// ceshell: a malformed shortcut is refused with a message saying what is wrong; a program
// named X.exe runs the host program X beside it, with the text after the path as one argument.
#include "device.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using testsupport::BinPath;
using testsupport::EmulatedDevice;
using testsupport::WriteFile;

TEST(Ceshell, RefusesMalformedShortcuts) {
    const struct { const char* sentence; const char* bytes; int status; const char* message; } cases[] = {
        {"an empty file has no count", "", 2, "does not begin with a count"},
        {"a count needs digits", "x#\"\\a\"", 2, "does not begin with a count"},
        {"a count needs its number sign", "12\"\\a\"", 2, "not followed by '#'"},
        {"a quoted path needs its closing mark", "5#\"\\a b", 2, "no closing quotation mark"},
        {"a target needs a program", "2#\"\"", 2, "names no program"},
        {"a missing program is named", "14#\"\\nowhere.exe\"", 127, "\\nowhere.exe: no such program"},
    };
    EmulatedDevice device;
    const std::string lnk = device.ProgramsDir() + "/Test.lnk";
    for (const auto& c : cases) {
        WriteFile(lnk, c.bytes);
        const auto run = device.Run(BinPath("ceshell"), {lnk});
        EXPECT_EQ(run.status, c.status) << c.sentence;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.sentence << ": " << run.err;
    }
}

TEST(Ceshell, RunsTheProgramWithItsCommandLineAsOneArgumentAndPassesOnItsStatus) {
    EmulatedDevice device;
    const std::string program = device.Dir() + "/Echo";
    {
        std::ofstream out(program);
        out << "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\"\nexit 7\n";
    }
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    std::string target = "\"" + device.Dir() + "/Echo.exe\"  -hhost -p1 -s";
    for (char& c : target)
        if (c == '/') c = '\\';
    const std::string lnk = device.ProgramsDir() + "/Echo.lnk";
    WriteFile(lnk, std::to_string(target.size()) + "#" + target);
    const auto run = device.Run(BinPath("ceshell"), {lnk});
    EXPECT_EQ(run.status, 7);
    EXPECT_EQ(run.out, "1|-hhost -p1 -s|");
}

}  // namespace
