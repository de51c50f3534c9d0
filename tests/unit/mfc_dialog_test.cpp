// The class library: an application whose dialog exchanges data with its controls, fills
// its list from the dialog initialisation data, and asks with AfxMessageBox; run in a child
// through the library's WinMain with an input script. And CString's own rules.
#include "dialog_fixture.h"

#include "../../platform/src/host/resources.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace dialogtest;

namespace {

class CSampleDlg : public CDialog {
public:
    explicit CSampleDlg(UINT id = kSampleDialogId)
        : CDialog(id), m_itemsAtInit(-1), m_checkAtOK(-1), m_signAtOK(-1), m_clicks(0) {}
    CString m_hostText;
    CButton m_btnCheck;
    CComboBox m_cmbList;
    int m_itemsAtInit;
    int m_checkAtOK;
    int m_signAtOK;
    int m_clicks;  // BN_CLICKED of the check box, through the message map
    CString m_saved;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kHostEdit, m_hostText);
        DDX_Control(pDX, kCheck, m_btnCheck);
        DDX_Control(pDX, kList, m_cmbList);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_itemsAtInit = m_cmbList.GetCount();  // the initialisation data ran before this
        m_cmbList.SetCurSel(0);
        m_hostText = L"preset";
        UpdateData(FALSE);
        return TRUE;
    }
    void OnOK() override {
        if (AfxMessageBox(L"更新しますか？", MB_YESNO | MB_DEFBUTTON2) == IDYES) {
            UpdateData(TRUE);
            m_saved = m_hostText;
        }
        m_checkAtOK = m_btnCheck.GetCheck();
        m_signAtOK = m_cmbList.GetCurSel();
        CDialog::OnOK();
    }
    void OnCheckClicked() { ++m_clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSampleDlg, CDialog)
    ON_COMMAND(kCheck, OnCheckClicked)
END_MESSAGE_MAP()

class CSampleApp : public CWinApp {
public:
    explicit CSampleApp(UINT dialogId = kSampleDialogId) : m_dialogId(dialogId) {}
    UINT m_dialogId;
    BOOL InitInstance() override {
        CSampleDlg dlg(m_dialogId);
        m_pMainWnd = &dlg;
        const INT_PTR result = dlg.DoModal();
        std::string saved;
        for (LPCTSTR p = dlg.m_saved; *p; ++p) saved += static_cast<char>(*p);
        std::printf("result=%d items=%d check=%d clicks=%d sign=%d saved=%s host=%ls attached=%d title=%ls",
                    static_cast<int>(result), dlg.m_itemsAtInit, dlg.m_checkAtOK, dlg.m_clicks, dlg.m_signAtOK, saved.c_str(),
                    static_cast<LPCTSTR>(dlg.m_hostText), dlg.m_btnCheck.GetSafeHwnd() != nullptr,
                    m_pszAppName);
        m_pMainWnd = nullptr;
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSampleApp, CWinApp)
END_MESSAGE_MAP()

const bool sampleApp = AddScenario("sample-app", [] {
    RegisterSampleResources();
    static CSampleApp app;
    WCHAR commandLine[] = L"";
    std::printf("|status=%d", WinMain(GetModuleHandleW(nullptr), nullptr, commandLine, 1));
});

// The sample dialog again, with initialisation data cut inside its second record.
const bool cutInit = AddScenario("cut-init", [] {
    constexpr UINT kCutDialogId = 301;
    static const std::vector<unsigned char> dialog = SampleDialogTemplate();
    static std::vector<unsigned char> init = SampleDlgInit();
    init.resize(26);  // the second record's head is whole, its text is not
    init.shrink_to_fit();
    host::RegisterResource(5, kCutDialogId, 0x0411, dialog.data(), dialog.size());
    host::RegisterResource(240, kCutDialogId, 0x0411, init.data(), init.size());
    static CSampleApp app(kCutDialogId);
    WCHAR commandLine[] = L"";
    WinMain(GetModuleHandleW(nullptr), nullptr, commandLine, 1);
});

TEST(MfcDialog, InitialisationDataCutShortAddsTheWholeRecordsOnly) {
    testsupport::EmulatedDevice device;
    const testsupport::RunResult run = RunScenario(device, "cut-init", "snapshot\n");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<testsupport::Json> snapshots = device.Journal("snapshot");
    ASSERT_EQ(snapshots.size(), 1u);
    const testsupport::Json& items = snapshots[0]["controls"][5]["items"];
    ASSERT_EQ(items.array.size(), 1u);
    EXPECT_EQ(items[0].string, "プラス");
}

TEST(MfcDialog, OkWithYesReadsTheEditsAndTheControlsThroughTheAttachedMembers) {
    testsupport::EmulatedDevice device;
    const testsupport::RunResult run =
        RunScenario(device, "sample-app", "snapshot\ntype -x\nkey tab\nkey tab\nkey space\nkey tab\nkey down\nkey enter\nkey y\n");
    EXPECT_EQ(run.out,
              "result=1 items=2 check=1 clicks=1 sign=1 saved=preset-x host=preset-x attached=0 title=unit_tests|status=0")
        << run.err;
    const std::vector<testsupport::Json> snapshots = device.Journal("snapshot");
    ASSERT_EQ(snapshots.size(), 1u);
    const testsupport::Json& list = snapshots[0]["controls"][5];
    ASSERT_EQ(list["items"].array.size(), 2u) << "the list holds the initialisation data's texts";
    EXPECT_EQ(list["items"][0].string, "プラス");
    EXPECT_EQ(list["items"][1].string, "マイナス");
    EXPECT_EQ(list["selected"].Int(), 0);
    EXPECT_EQ(snapshots[0]["controls"][0]["text"].string, "preset");
    EXPECT_TRUE(snapshots[0]["controls"][0]["focus"].boolean);
}

TEST(MfcDialog, AfxMessageBoxIsCaptionedWithTheTitleAndGetsIconAndForeground) {
    testsupport::EmulatedDevice device;
    // Enter asks; No (the default, taken when the script runs out) saves nothing, and the
    // dialog still closes with IDOK and reads the edits once more.
    const testsupport::RunResult run = RunScenario(device, "sample-app", "type 1\nkey enter\n");
    EXPECT_EQ(run.out, "result=1 items=2 check=0 clicks=0 sign=0 saved= host=preset1 attached=0 title=unit_tests|status=0");
    const std::vector<testsupport::Json> boxes = device.Journal("MessageBoxW");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]["caption"].string, "unit_tests");
    EXPECT_EQ(boxes[0]["text"].string, "更新しますか？");
    EXPECT_EQ(boxes[0]["type"].Int(), MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION | MB_SETFOREGROUND);
    EXPECT_EQ(boxes[0]["result"].Int(), IDNO);
}

TEST(MfcDialog, EscapeCancelsWithoutAskingAndLeavesTheMembersAsSet) {
    testsupport::EmulatedDevice device;
    const testsupport::RunResult run = RunScenario(device, "sample-app", "type zz\nkey escape\n");
    EXPECT_EQ(run.out, "result=2 items=2 check=-1 clicks=0 sign=-1 saved= host=preset attached=0 title=unit_tests|status=0");
    EXPECT_TRUE(device.Journal("MessageBoxW").empty());
}

TEST(MfcMessageBox, AddsTheIconThatFitsTheButtonsUnlessOneIsGiven) {
    struct Case {
        const char* sentence;
        UINT given;
        UINT shown;
    };
    const Case cases[] = {
        {"an OK box gets the exclamation icon", MB_OK, MB_OK | MB_ICONEXCLAMATION},
        {"a Yes/No box gets the question icon", MB_YESNO, MB_YESNO | MB_ICONQUESTION},
        {"a given icon is kept", MB_OK | MB_ICONINFORMATION, MB_OK | MB_ICONINFORMATION},
    };
    testsupport::EmulatedDevice device;
    for (const Case& c : cases) {
        device.env["MFC_TEST_TYPE"] = std::to_string(c.given);
        RunScenario(device, "message-box", "");
    }
    const std::vector<testsupport::Json> boxes = device.Journal("MessageBoxW");
    ASSERT_EQ(boxes.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(boxes[i]["type"].Int(), cases[i].shown | MB_SETFOREGROUND) << cases[i].sentence;
        EXPECT_EQ(boxes[i]["caption"].string, "Titled") << "the title given to the application";
    }
}

const bool messageBox = AddScenario("message-box", [] {
    static CWinApp app(L"Titled");
    AfxMessageBox(L"text", static_cast<UINT>(std::stoul(std::getenv("MFC_TEST_TYPE"))));
});

TEST(MfcString, KeepsItsTextThroughSelfAssignmentGrowthAndBufferUse) {
    CString text(L"abc");
    text += text;
    text = static_cast<LPCTSTR>(text) + 1;  // a part of its own buffer
    EXPECT_TRUE(text == L"bcabc");
    LPTSTR buffer = text.GetBuffer(100);
    std::wcscpy(buffer, L"a longer text than before");
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 25);
    text.GetBuffer(3)[2] = L'\0';
    text.ReleaseBuffer();
    EXPECT_TRUE(text == L"a ");
    text.GetBuffer(10);
    text.ReleaseBuffer(1);
    EXPECT_TRUE(text == CString(L"a"));
    EXPECT_TRUE(CString(L"x") + L"y" + CString(L"z") == L"xyz");
    text.Empty();
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_TRUE(CString(static_cast<LPCTSTR>(nullptr)) == L"") << "no text is the empty text";
    EXPECT_STREQ(static_cast<LPCTSTR>(text), L"");
}

}  // namespace
