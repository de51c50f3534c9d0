// HorvaneSet run on an emulated device: installed in a folder of its own (whose name holds no
// option marker), driven by an input script, observed through the journal and the shortcut.
#pragma once

#include "device.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace settingstest {

class SettingsProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/settings_program_XXXXXX";  // no hyphen: no marker in the path
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        installDir_ = tmpl;
        std::filesystem::copy_file(testsupport::BinPath("HorvaneSet"), installDir_ + "/HorvaneSet");
        std::filesystem::permissions(installDir_ + "/HorvaneSet", std::filesystem::perms::owner_all);
    }
    void TearDown() override { std::filesystem::remove_all(installDir_); }

    testsupport::RunResult RunSettings(const std::string& script) {
        return device.Run(installDir_ + "/HorvaneSet", {}, script, 30000);
    }
    std::string ShortcutPath() const { return device.ProgramsDir() + "/Horvane.lnk"; }
    std::string Shortcut() const { return testsupport::ReadFile(ShortcutPath()); }
    bool ShortcutExists() const { return std::filesystem::exists(ShortcutPath()); }
    void WriteShortcut(const std::string& bytes) const { testsupport::WriteFile(ShortcutPath(), bytes); }

    // The shortcut HorvaneSet writes for these options (an ASCII folder and options).
    std::string ExpectedShortcut(const std::string& options) const {
        std::string target = "\"" + installDir_ + "/Horvane.exe\"" + options;
        for (char& c : target)
            if (c == '/') c = '\\';
        return std::to_string(target.size()) + "#" + target;
    }

    // The controls of the last snapshot, and one of them by id.
    testsupport::Json LastSnapshot() const {
        const auto snapshots = device.Journal("snapshot");
        return snapshots.empty() ? testsupport::Json() : snapshots.back();
    }
    static const testsupport::Json& Control(const testsupport::Json& snapshot, int id) {
        for (const testsupport::Json& c : snapshot["controls"].array)
            if (c["id"].Int() == id) return c;
        static const testsupport::Json none;
        return none;
    }

    testsupport::EmulatedDevice device;
    std::string installDir_;
};

}  // namespace settingstest
