// Dialogs and controls from a template: what the controls do with messages and keys, the
// keyboard navigation, a template cut short, icons, and the modal run driven by the input
// script (journal snapshot, message box over the dialog, the script running out).
#include "dialog_fixture.h"

#include "../../platform/src/host/resources.h"
#include "../../platform/src/user/dlgtemplate.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace dialogtest;

namespace {

// What the dialog procedure saw.
struct Seen {
    std::vector<std::pair<int, int>> commands;  // (id, notification)
    bool initReturns = true;
    int focusAtInit = 0;  // a control id to focus in WM_INITDIALOG, 0 for none
};
Seen* seen = nullptr;

INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    if (message == WM_INITDIALOG) {
        if (seen->focusAtInit) SetFocus(GetDlgItem(dialog, seen->focusAtInit));
        return seen->initReturns;
    }
    if (message == WM_COMMAND) seen->commands.push_back({LOWORD(wParam), HIWORD(wParam)});
    return FALSE;
}

class ModelessDialog : public ::testing::Test {
protected:
    void Open() {
        seen = &record;
        bytes = SampleDialogTemplate();
        dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), nullptr,
                                            RecordingProc, 0);
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override {
        if (dialog) DestroyWindow(dialog);
    }
    void Send(UINT message, WPARAM code) {
        MSG msg = {};
        msg.hwnd = GetFocus();
        msg.message = message;
        msg.wParam = code;
        EXPECT_TRUE(IsDialogMessageW(dialog, &msg));
    }
    void Type(const std::wstring& text) {
        for (wchar_t ch : text) Send(WM_CHAR, ch);
    }
    std::wstring Text(int id) {
        wchar_t buffer[256];
        GetDlgItemTextW(dialog, id, buffer, 256);
        return buffer;
    }
    int FocusId() { return GetDlgCtrlID(GetFocus()); }
    LRESULT ToList(UINT message, WPARAM wParam = 0, const wchar_t* text = nullptr) {
        return SendDlgItemMessageW(dialog, kList, message, wParam, reinterpret_cast<LPARAM>(text));
    }

    Seen record;
    std::vector<unsigned char> bytes;
    HWND dialog = nullptr;
};

TEST_F(ModelessDialog, HasTheTemplatesCaptionAndControlsWithFocusOnTheFirstTabStop) {
    Open();
    wchar_t caption[16];
    GetWindowTextW(dialog, caption, 16);
    EXPECT_STREQ(caption, L"試験");
    for (int id : {kHostEdit, kLabel, kPortEdit, kCheck, kDisabledCheck, kList})
        EXPECT_EQ(GetParent(GetDlgItem(dialog, id)), dialog) << id;
    EXPECT_EQ(Text(kLabel), L"ポート：");
    EXPECT_EQ(FocusId(), kHostEdit);
}

TEST_F(ModelessDialog, FocusStaysWhereInitialisationPutItWhenItReturnsFalse) {
    record.initReturns = false;
    record.focusAtInit = kList;
    Open();
    EXPECT_EQ(FocusId(), kList);
}

struct TypingCase {
    const char* sentence;
    int edit;
    WPARAM limit;  // 0: none
    const wchar_t* preset;
    const wchar_t* typed;
    const wchar_t* result;
};

const TypingCase kTypingCases[] = {
    {"typing stops at the limit", kHostEdit, 3, L"", L"abcd", L"abc"},
    {"a digits-only edit takes only the digits 0-9", kPortEdit, 0, L"", L"1a-2 ３.4", L"124"},
    {"backspace takes back the last character", kHostEdit, 0, L"", L"ab\bc", L"ac"},
    {"backspace in an empty edit does nothing", kHostEdit, 0, L"", L"\b\ba", L"a"},
    {"control characters type nothing", kHostEdit, 0, L"", L"a\tb\r\x1b", L"ab"},
    {"a set text may pass the limit, typing then adds nothing", kHostEdit, 2, L"abcd", L"e", L"abcd"},
    {"backspace works on a set text over the limit", kHostEdit, 2, L"abcd", L"\b", L"abc"},
    {"a set text with other characters stays in a digits-only edit", kPortEdit, 5, L"x-1", L"2y", L"x-12"},
    {"Japanese text is typed like any other", kHostEdit, 4, L"", L"時刻サーバ", L"時刻サー"},
};

TEST_F(ModelessDialog, TypingFollowsLimitAndDigitsOnly) {
    Open();
    for (const TypingCase& c : kTypingCases) {
        const HWND edit = GetDlgItem(dialog, c.edit);
        SendMessageW(edit, EM_LIMITTEXT, c.limit, 0);
        SetWindowTextW(edit, c.preset);
        SetFocus(edit);
        Type(c.typed);
        EXPECT_EQ(Text(c.edit), c.result) << c.sentence;
    }
}

TEST_F(ModelessDialog, TabVisitsTabStopsInTemplateOrderSkippingDisabledAndWraps) {
    Open();
    std::vector<int> visited;
    for (int i = 0; i < 4; ++i) {
        Send(WM_KEYDOWN, VK_TAB);
        visited.push_back(FocusId());
    }
    EXPECT_EQ(visited, (std::vector<int>{kPortEdit, kCheck, kList, kHostEdit}));
}

TEST_F(ModelessDialog, EnterAndEscapeCommandTheDialogAndSpaceClicksTheCheckBox) {
    Open();
    Send(WM_KEYDOWN, VK_RETURN);
    Send(WM_KEYDOWN, VK_ESCAPE);
    SetFocus(GetDlgItem(dialog, kCheck));
    Send(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), BST_CHECKED);
    Send(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), BST_UNCHECKED);
    const std::vector<std::pair<int, int>> expected = {
        {IDOK, BN_CLICKED}, {IDCANCEL, BN_CLICKED}, {kCheck, BN_CLICKED}, {kCheck, BN_CLICKED}};
    EXPECT_EQ(record.commands, expected);
}

TEST_F(ModelessDialog, DropDownListHoldsItsItemsAndArrowsMoveTheSelectionWithinThem) {
    Open();
    EXPECT_EQ(ToList(CB_ADDSTRING, 0, L"プラス"), 0);
    EXPECT_EQ(ToList(CB_ADDSTRING, 0, L"マイナス"), 1);
    EXPECT_EQ(ToList(CB_GETCOUNT), 2);
    EXPECT_EQ(ToList(CB_GETCURSEL), CB_ERR);
    SetFocus(GetDlgItem(dialog, kList));
    std::vector<LRESULT> selections;
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_UP}) {
        Send(WM_KEYDOWN, key);
        selections.push_back(ToList(CB_GETCURSEL));
    }
    EXPECT_EQ(selections, (std::vector<LRESULT>{0, 1, 1, 0, 0}));
    EXPECT_EQ(Text(kList), L"プラス");  // a drop-down list shows its selection
    EXPECT_EQ(record.commands.size(), 3u) << "CBN_SELCHANGE only when the selection changed";

    EXPECT_EQ(ToList(CB_SETCURSEL, 2), CB_ERR);
    EXPECT_EQ(ToList(CB_GETCURSEL), CB_ERR) << "an index outside the list clears the selection";
    wchar_t item[16];
    EXPECT_EQ(ToList(CB_GETLBTEXT, 1, item), 4);
    EXPECT_STREQ(item, L"マイナス");
    EXPECT_EQ(ToList(CB_GETLBTEXT, 2, item), CB_ERR);
}

TEST_F(ModelessDialog, GetWindowTextCutsToTheBufferAndTerminates) {
    Open();
    SetDlgItemTextW(dialog, kHostEdit, L"timehost");
    wchar_t buffer[5] = {L'#', L'#', L'#', L'#', L'#'};
    EXPECT_EQ(GetDlgItemTextW(dialog, kHostEdit, buffer, 5), 4u);
    EXPECT_STREQ(buffer, L"time");
    EXPECT_EQ(GetWindowTextLengthW(GetDlgItem(dialog, kHostEdit)), 8);
}

TEST(DialogTemplate, EveryTemplateCutShortIsRefusedWithoutReadingPastIt) {
    const std::vector<unsigned char> whole = SampleDialogTemplate();
    const std::optional<user::DialogTemplate> parsed = user::ParseDialogTemplate(whole.data(), whole.size());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->items.size(), 6u);
    EXPECT_EQ(parsed->faceName, L"MS UI Gothic");
    EXPECT_EQ(parsed->items[2].className, L"Edit");
    // The last item's creation-data count is the template's last word: every shorter cut fails.
    for (size_t size = 0; size < whole.size(); ++size) {
        std::unique_ptr<unsigned char[]> cut(new unsigned char[size ? size : 1]);
        std::copy(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size), cut.get());
        EXPECT_FALSE(user::ParseDialogTemplate(cut.get(), size)) << "cut to " << size << " bytes";
    }
}

TEST(DialogTemplate, UnknownClassAtomAndExtendedTemplatesAreRefused) {
    std::vector<unsigned char> bytes = SampleDialogTemplate();
    std::vector<unsigned char> extended = bytes;
    extended[0] = 0x01, extended[1] = 0x00, extended[2] = 0xFF, extended[3] = 0xFF;
    EXPECT_FALSE(user::ParseDialogTemplate(extended.data(), extended.size()));
    // The first item's class atom 0x0081 (EDIT) becomes 0x0099.
    for (size_t i = 0; i + 3 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xFF && bytes[i + 2] == 0x81 && bytes[i + 3] == 0x00) {
            bytes[i + 2] = 0x99;
            break;
        }
    EXPECT_FALSE(user::ParseDialogTemplate(bytes.data(), bytes.size()));
}

TEST(IconResource, GivesAHandleOnlyForAWellFormedIconGroup) {
    // Icon group: reserved 0, type 1, count, then 14-byte entries.
    static const unsigned char group[] = {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 8, 0, 0x28, 0x08, 0, 0, 1, 0};
    static const unsigned char shortGroup[] = {0, 0, 1, 0, 2, 0, 32, 32, 0, 0, 1, 0, 8, 0, 0x28, 0x08, 0, 0, 1, 0};
    host::RegisterResource(14, 901, 0x0411, group, sizeof group);
    host::RegisterResource(14, 902, 0x0411, shortGroup, sizeof shortGroup);
    const HINSTANCE self = GetModuleHandleW(nullptr);
    const HICON icon = LoadIconW(self, MAKEINTRESOURCE(901));
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconW(self, MAKEINTRESOURCE(901)), icon);
    EXPECT_EQ(LoadIconW(self, MAKEINTRESOURCE(902)), nullptr) << "two entries announced, one present";
    EXPECT_EQ(LoadIconW(self, MAKEINTRESOURCE(903)), nullptr) << "no such icon";
}

// The modal run in a child: the dialog procedure fills the list, asks before OK, and ends
// with the command's id; the child prints the dialog's result.
INT_PTR CALLBACK AskingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    if (message == WM_INITDIALOG) {
        SendDlgItemMessageW(dialog, kList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"一"));
        SendDlgItemMessageW(dialog, kList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"二"));
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDOK && MessageBoxW(dialog, L"閉じますか？", L"確認", MB_YESNO | MB_DEFBUTTON2) == IDYES)
        EndDialog(dialog, IDOK);
    if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
    return TRUE;
}

// OK shows the two edits' texts in an OK/Cancel box and closes only on its OK.
INT_PTR CALLBACK EchoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND || LOWORD(wParam) != IDOK) return FALSE;
    wchar_t host[64], port[16];
    GetDlgItemTextW(dialog, kHostEdit, host, 64);
    GetDlgItemTextW(dialog, kPortEdit, port, 16);
    if (MessageBoxW(dialog, (std::wstring(host) + L"|" + port).c_str(), L"確認", MB_OKCANCEL) == IDOK)
        EndDialog(dialog, IDOK);
    return TRUE;
}

// Never closes on Escape.
INT_PTR CALLBACK StubbornProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void RunModal(DLGPROC proc) {
    RegisterSampleResources();
    const INT_PTR result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCE(kSampleDialogId), nullptr, proc, 0);
    std::printf("%d", static_cast<int>(result));
}

const bool asking = AddScenario("asking", [] { RunModal(AskingProc); });
const bool stubborn = AddScenario("stubborn", [] { RunModal(StubbornProc); });
const bool echo = AddScenario("echo", [] { RunModal(EchoProc); });

TEST(ModalDialog, ScriptDrivesTheControlsAndSnapshotShowsThemInTemplateOrder) {
    testsupport::EmulatedDevice device;
    const testsupport::RunResult run = RunScenario(
        device, "asking",
        "type time server\nkey tab\ntype 12a3\nkey tab\nkey space\nkey tab\nkey down\nkey down\n"
        "key shift-tab\nsnapshot\nkey enter\nkey y\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1");
    const std::vector<testsupport::Json> snapshots = device.Journal("snapshot");
    ASSERT_EQ(snapshots.size(), 1u);
    const testsupport::Json& s = snapshots[0];
    EXPECT_EQ(s["caption"].string, "試験");
    const testsupport::Json& c = s["controls"];
    ASSERT_EQ(c.array.size(), 6u);
    const std::vector<long long> ids = {kHostEdit, kLabel, kPortEdit, kCheck, kDisabledCheck, kList};
    for (size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(c[i]["id"].Int(), ids[i]) << i;
    EXPECT_EQ(c[0]["class"].string, "EDIT");
    EXPECT_EQ(c[0]["text"].string, "time server");
    EXPECT_EQ(c[1]["text"].string, "ポート：");
    EXPECT_EQ(c[2]["text"].string, "123");
    EXPECT_EQ(c[3]["class"].string, "BUTTON");
    EXPECT_EQ(c[3]["checked"].Int(), 1);
    EXPECT_TRUE(c[3]["focus"].boolean) << "shift-tab went back from the list to the check box";
    EXPECT_FALSE(c[5]["focus"].boolean);
    EXPECT_EQ(c[4]["checked"].Int(), 0);
    ASSERT_EQ(c[5]["items"].array.size(), 2u);
    EXPECT_EQ(c[5]["items"][1].string, "二");
    EXPECT_EQ(c[5]["selected"].Int(), 1);
    EXPECT_EQ(c[5]["text"].string, "二");
    const std::vector<testsupport::Json> boxes = device.Journal("MessageBoxW");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]["result"].Int(), IDYES);
}

TEST(ModalDialog, MessageBoxOverTheDialogReadsTheSameScript) {
    testsupport::EmulatedDevice device;
    // No to the question keeps the dialog open; the next Enter and Yes close it.
    const testsupport::RunResult run = RunScenario(device, "asking", "key enter\nkey n\ntype x\nkey enter\nkey y\n");
    EXPECT_EQ(run.out, "1");
    const std::vector<testsupport::Json> boxes = device.Journal("MessageBoxW");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0]["result"].Int(), IDNO);
    EXPECT_EQ(boxes[0]["caption"].string, "確認");
    EXPECT_EQ(boxes[1]["result"].Int(), IDYES);
}

TEST(ModalDialog, WhenTheScriptRunsOutTheDialogGetsEscapeAndAnOpenBoxItsDefault) {
    struct Case {
        const char* sentence;
        const char* scenario;
        const char* script;
        const char* result;
        size_t boxes;
    };
    const Case cases[] = {
        {"an empty script cancels the dialog", "asking", "", "2", 0},
        {"a box left open takes its default (No), then Escape cancels", "asking", "key enter\n", "2", 1},
        {"a dialog that ignores Escape is ended with IDCANCEL", "stubborn", "type abc\n", "2", 0},
    };
    for (const Case& c : cases) {
        testsupport::EmulatedDevice device;
        const testsupport::RunResult run = RunScenario(device, c.scenario, c.script);
        EXPECT_EQ(run.status, 0) << c.sentence;
        EXPECT_EQ(run.out, c.result) << c.sentence;
        EXPECT_EQ(device.Journal("MessageBoxW").size(), c.boxes) << c.sentence;
    }
}

}  // namespace
