// HorvaneSet's dialog through scripted input: what it shows, what typing does, and what each
// way of closing it writes into the shortcut.
#include "settings_program.h"

#include "res/resource.h"

#include <windows.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace settingstest {
namespace {

using testsupport::Json;

constexpr long long kQuestionType = MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION | MB_SETFOREGROUND;
constexpr long long kFailureType = MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND;
const char* const kQuestion = "ショートカットを更新しますか？";
const char* const kSaveFailed = "保存に失敗しました。";

// Host, port, silent, keep connection, offset: the tab stops before the sign list.
const char* const kToSignList = "key tab\nkey tab\nkey tab\nkey tab\nkey tab\n";

using Dialog = SettingsProgram;

TEST_F(Dialog, OpensEmptyWithoutShortcutAndEscapeClosesWithoutAsking) {
    const auto run = RunSettings("snapshot\nkey escape\n");
    EXPECT_EQ(run.status, 0) << run.err;
    const Json snapshot = LastSnapshot();
    EXPECT_EQ(snapshot["caption"].string, "Horvaneの設定");
    for (int id : {IDC_HOST, IDC_PORT, IDC_OFFSET, IDC_DELAY}) EXPECT_EQ(Control(snapshot, id)["text"].string, "") << id;
    for (int id : {IDC_SILENT, IDC_KEEP_CONNECTION}) EXPECT_EQ(Control(snapshot, id)["checked"].Int(), 0) << id;
    const Json& sign = Control(snapshot, IDC_OFFSET_SIGN);
    ASSERT_EQ(sign["items"].array.size(), 2u);
    EXPECT_EQ(sign["items"][0].string, "プラス");
    EXPECT_EQ(sign["items"][1].string, "マイナス");
    EXPECT_EQ(sign["selected"].Int(), 0);
    EXPECT_TRUE(Control(snapshot, IDC_HOST)["focus"].boolean);
    EXPECT_TRUE(device.Journal("MessageBoxW").empty());
    EXPECT_FALSE(ShortcutExists());
}

TEST_F(Dialog, TypingStopsAtTheLimitsAndNumberEditsTakeOnlyDigits) {
    const std::string script = "type " + std::string(130, 'h') + "\nkey tab\ntype 12-3a45678\n" +
                               "key tab\nkey tab\nkey tab\ntype -1234567890\nkey tab\nkey tab\ntype 1x23\n" +
                               "snapshot\nkey escape\n";
    RunSettings(script);
    const Json snapshot = LastSnapshot();
    EXPECT_EQ(Control(snapshot, IDC_HOST)["text"].string, std::string(127, 'h'));
    EXPECT_EQ(Control(snapshot, IDC_PORT)["text"].string, "12345");
    EXPECT_EQ(Control(snapshot, IDC_OFFSET)["text"].string, "1234567");
    EXPECT_EQ(Control(snapshot, IDC_DELAY)["text"].string, "12");
    EXPECT_TRUE(Control(snapshot, IDC_DELAY)["focus"].boolean);
    EXPECT_FALSE(ShortcutExists());
}

struct CloseCase {
    const char* sentence;
    const char* keys;  // after typing a host name
    bool asks;
    bool writes;
};

TEST_F(Dialog, OnlyOkAnsweredYesWritesTheShortcut) {
    const CloseCase cases[] = {
        {"OK then Yes writes", "key enter\nkey y\n", true, true},
        {"OK then Enter takes the default No", "key enter\nkey enter\n", true, false},
        {"OK then No writes nothing", "key enter\nkey n\n", true, false},
        {"Escape closes without a question", "key escape\n", false, false},
    };
    const std::string previous = ExpectedShortcut(" -p1");
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.sentence);
        WriteShortcut(previous);
        const size_t boxesBefore = device.Journal("MessageBoxW").size();
        const auto run = RunSettings(std::string("type newhost\n") + c.keys);
        EXPECT_EQ(run.status, 0) << run.err;
        const auto boxes = device.Journal("MessageBoxW");
        ASSERT_EQ(boxes.size() - boxesBefore, c.asks ? 1u : 0u);
        if (c.asks) {
            EXPECT_EQ(boxes.back()["text"].string, kQuestion);
            EXPECT_EQ(boxes.back()["caption"].string, "HorvaneSet");
            EXPECT_EQ(boxes.back()["type"].Int(), kQuestionType);
        }
        EXPECT_EQ(Shortcut(), c.writes ? ExpectedShortcut(" -hnewhost -p1") : previous);
    }
}

TEST_F(Dialog, ShortcutWithEveryOptionIsShownAndWrittenBackUnchanged) {
    const std::string full = ExpectedShortcut(" -htimehost -p123 -s -c -om30 -d5");
    WriteShortcut(full);
    RunSettings("snapshot\nkey enter\nkey y\n");
    const Json snapshot = LastSnapshot();
    EXPECT_EQ(Control(snapshot, IDC_HOST)["text"].string, "timehost");
    EXPECT_EQ(Control(snapshot, IDC_PORT)["text"].string, "123");
    EXPECT_EQ(Control(snapshot, IDC_SILENT)["checked"].Int(), 1);
    EXPECT_EQ(Control(snapshot, IDC_KEEP_CONNECTION)["checked"].Int(), 1);
    EXPECT_EQ(Control(snapshot, IDC_OFFSET)["text"].string, "30");
    EXPECT_EQ(Control(snapshot, IDC_OFFSET_SIGN)["selected"].Int(), 1);
    EXPECT_EQ(Control(snapshot, IDC_DELAY)["text"].string, "5");
    EXPECT_EQ(Shortcut(), full);
}

TEST_F(Dialog, LoadedTextsThatAreNoNumbersAreShownAndWrittenBackUnchanged) {
    WriteShortcut(ExpectedShortcut(" -pabc -op1x -d+"));
    RunSettings("snapshot\nkey enter\nkey y\n");
    const Json snapshot = LastSnapshot();
    EXPECT_EQ(Control(snapshot, IDC_PORT)["text"].string, "abc");
    EXPECT_EQ(Control(snapshot, IDC_OFFSET)["text"].string, "1x");
    EXPECT_EQ(Control(snapshot, IDC_DELAY)["text"].string, "+");
    EXPECT_EQ(Shortcut(), ExpectedShortcut(" -pabc -op1x -d+"));
}

TEST_F(Dialog, MinusWithAnEmptyOffsetWritesNoOffsetAndReopensWithPlus) {
    RunSettings(std::string(kToSignList) + "key down\nsnapshot\nkey enter\nkey y\n");
    EXPECT_EQ(Control(LastSnapshot(), IDC_OFFSET_SIGN)["selected"].Int(), 1);
    EXPECT_EQ(Shortcut(), ExpectedShortcut(""));
    RunSettings("snapshot\n");
    EXPECT_EQ(Control(LastSnapshot(), IDC_OFFSET_SIGN)["selected"].Int(), 0);
}

TEST_F(Dialog, MinusWithAnOffsetWritesMinusOption) {
    RunSettings("key tab\nkey tab\nkey tab\nkey tab\ntype 45\nkey tab\nkey down\nkey enter\nkey y\n");
    EXPECT_EQ(Shortcut(), ExpectedShortcut(" -om45"));
}

// A failed save shows its message, closes the dialog and keeps the previous shortcut, with
// nothing left beside it.
TEST_F(Dialog, FailedSaveKeepsThePreviousShortcut) {
    const struct { const char* sentence; const char* fail; bool holdOpen; } cases[] = {
        {"the write fails", "WriteFile", false},
        {"the file cannot be created", "CreateFileW", false},
        {"another program holds the shortcut open without sharing", "", true},
    };
    const std::string previous = ExpectedShortcut(" -hprevious -p1");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sentence);
        WriteShortcut(previous);
        device.env["CE_FAIL"] = c.fail;
        const int held = c.holdOpen ? ::open(ShortcutPath().c_str(), O_RDONLY | O_CLOEXEC) : -1;
        if (c.holdOpen) {
            ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
        }
        const size_t boxesBefore = device.Journal("MessageBoxW").size();
        const auto run = RunSettings("type x\nkey enter\nkey y\n");
        if (held >= 0) ::close(held);
        EXPECT_EQ(run.status, 0) << run.err;
        const auto boxes = device.Journal("MessageBoxW");
        ASSERT_EQ(boxes.size() - boxesBefore, 2u);
        EXPECT_EQ(boxes.back()["text"].string, kSaveFailed);
        EXPECT_EQ(boxes.back()["type"].Int(), kFailureType);
        EXPECT_EQ(Shortcut(), previous);
        size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(device.ProgramsDir())) {
            (void)entry;
            ++files;
        }
        EXPECT_EQ(files, 1u);
    }
}

// A Programs folder whose path does not fit MAX_PATH cannot be determined: the shortcut is not
// written anywhere else (a bare "\Horvane.lnk" would name the root folder) and the save says so.
TEST_F(Dialog, SaveWithoutAProgramsFolderFailsAndWritesNothing) {
    const std::string deepDevice = device.Dir() + "/" + std::string(240, 'd');
    device.env["CE_DEVICE_DIR"] = deepDevice;
    const auto run = RunSettings("type x\nkey enter\nkey y\n");
    EXPECT_EQ(run.status, 0) << run.err;
    const auto boxes = device.Journal("MessageBoxW");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes.back()["text"].string, kSaveFailed);
    EXPECT_FALSE(std::filesystem::exists(deepDevice + "/Windows/Start Menu/Programs/Horvane.lnk"));
    EXPECT_FALSE(std::filesystem::exists("/Horvane.lnk"));
}

}  // namespace
}  // namespace settingstest
