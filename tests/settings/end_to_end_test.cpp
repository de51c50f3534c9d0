// The whole path of a setting: HorvaneSet writes the shortcut, the shell starts the agent
// from it, and the agent sets the device clock from a real NTP server.
#include "chronyd.h"
#include "settings_program.h"

#include <cstdlib>
#include <string>

namespace settingstest {
namespace {

using EndToEnd = SettingsProgram;

TEST_F(EndToEnd, ShortcutWrittenByTheDialogStartsTheAgentThatSetsTheClock) {
    testsupport::Chronyd chronyd;
    // The agent is installed beside HorvaneSet, as on the device.
    std::filesystem::copy_file(testsupport::BinPath("Horvane"), installDir_ + "/Horvane");
    device.env["TZ"] = "JST-9";
    constexpr long long kHourFastMs = 3600000;
    device.SetClockOffsetMs(kHourFastMs);

    const std::string port = std::to_string(chronyd.Port());
    const auto settings = RunSettings("type 127.0.0.1\nkey tab\ntype " + port + "\nkey enter\nkey y\n");
    ASSERT_EQ(settings.status, 0) << settings.err;
    ASSERT_EQ(Shortcut(), ExpectedShortcut(" -h127.0.0.1 -p" + port));

    const auto shell = device.Run(testsupport::BinPath("ceshell"), {ShortcutPath()});
    EXPECT_EQ(shell.status, 0) << shell.err;
    // Corrected from an hour fast to the server's time, within the run's own second.
    EXPECT_LT(std::llabs(device.ClockOffsetMs()), 2000);
    const auto boxes = device.Journal("MessageBoxW");
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back()["caption"].string, "Horvane 1.1.0.0");
    // "YYYY/MM/DD hh:mm:ss \nに設定しました。（-3600秒）", give or take the run's own second.
    const std::string text = boxes.back()["text"].string;
    bool anHourBack = false;
    for (const char* seconds : {"3599", "3600", "3601"})
        anHourBack = anHourBack || (text.size() > 19 && text.substr(19) == std::string(" \nに設定しました。（-") + seconds + "秒）");
    EXPECT_TRUE(anHourBack) << text;
}

}  // namespace
}  // namespace settingstest
