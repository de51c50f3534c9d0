// cerc, the resource compiler: a faulty script is refused with the file, the line and what
// is wrong, and leaves no generated source behind.
#include "device.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(Cerc, RefusesFaultyScriptsWithTheirLine) {
    const struct { const char* sentence; const char* script; const char* message; } cases[] = {
        {"an unknown style name", "1 DIALOG 0, 0, 10, 10\nSTYLE WS_BOGUS\nBEGIN\nEND\n", "script.rc:2: unknown name WS_BOGUS"},
        {"a dialog without END", "1 DIALOG 0, 0, 10, 10\nBEGIN\n  EDITTEXT 5, 1, 2, 3, 4\n", "dialog without END"},
        {"a control with too few numbers", "1 DIALOG 0, 0, 10, 10\nBEGIN\n  EDITTEXT 5, 1, 2, 3\nEND\n", "script.rc:4: expected ','"},
        {"a missing icon file", "1 ICON \"none.ico\"\n", "none.ico: cannot be read"},
        {"an icon file that is no icon", "1 ICON \"script.rc\"\n", "not an icon file"},
        {"an unterminated string", "1 DIALOG 0, 0, 10, 10\nCAPTION \"open\n", "script.rc:2: unterminated string"},
        {"an #if without #endif", "#if 1\n", "#if without #endif"},
        {"an extended dialog", "1 DIALOGEX 0, 0, 10, 10\n", "only DIALOG templates"},
        {"a code page other than UTF-8", "#pragma code_page(932)\n", "only code_page(65001)"},
        {"text with no character in code page 932", "LANGUAGE 0x11, 1\n1 RCDATA { \"\xC3\xA9\" }\n", "U+00E9 has no character in CP932"},
    };
    testsupport::EmulatedDevice scratch;  // a temporary folder
    const std::string script = scratch.Dir() + "/script.rc";
    const std::string generated = scratch.Dir() + "/out.cpp";
    for (const auto& c : cases) {
        testsupport::WriteFile(script, c.script);
        const auto run = scratch.Run(testsupport::BinPath("cerc"), {script, generated});
        EXPECT_EQ(run.status, 1) << c.sentence;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.sentence << ": " << run.err;
        EXPECT_FALSE(std::filesystem::exists(generated)) << c.sentence;
    }
}

}  // namespace
