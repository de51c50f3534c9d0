// The sample dialog template and the child-process scenarios of the dialog tests.
#include "dialog_fixture.h"

#include "../../platform/src/host/resources.h"

#include <cstdint>
#include <cstdlib>
#include <map>

namespace dialogtest {

namespace {

constexpr const char* kScenarioVariable = "DIALOG_TEST_SCENARIO";

class TemplateWriter {
public:
    void Word(uint16_t value) {
        bytes.push_back(static_cast<unsigned char>(value & 0xFF));
        bytes.push_back(static_cast<unsigned char>(value >> 8));
    }
    void Dword(uint32_t value) {
        Word(static_cast<uint16_t>(value & 0xFFFF));
        Word(static_cast<uint16_t>(value >> 16));
    }
    void Text(const std::u16string& text) {
        for (char16_t unit : text) Word(unit);
        Word(0);
    }
    void Align() {
        while (bytes.size() % 4) bytes.push_back(0);
    }
    void Item(uint32_t style, uint16_t id, uint16_t classAtom, const std::u16string& className,
              const std::u16string& title, int16_t x, int16_t y) {
        Align();
        Dword(WS_CHILD | WS_VISIBLE | style);
        Dword(0);
        for (int16_t v : {x, y, int16_t(40), int16_t(14)}) Word(static_cast<uint16_t>(v));
        Word(id);
        if (classAtom) {
            Word(0xFFFF);
            Word(classAtom);
        } else {
            Text(className);
        }
        Text(title);
        Word(0);  // no creation data
    }
    std::vector<unsigned char> bytes;
};

std::map<std::string, void (*)()>& Scenarios() {
    static std::map<std::string, void (*)()> scenarios;
    return scenarios;
}

}  // namespace

std::vector<unsigned char> SampleDialogTemplate() {
    TemplateWriter out;
    out.Dword(WS_VISIBLE | WS_CAPTION | DS_SETFONT);
    out.Dword(WS_EX_CAPTIONOKBTN);
    out.Word(6);
    for (int16_t v : {int16_t(0), int16_t(0), int16_t(120), int16_t(80)}) out.Word(static_cast<uint16_t>(v));
    out.Word(0);  // no menu
    out.Word(0);  // the dialog class
    out.Text(u"試験");
    out.Word(9);
    out.Text(u"MS UI Gothic");
    out.Item(WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, kHostEdit, 0x0081, u"", u"", 7, 7);
    out.Item(WS_GROUP | SS_LEFT, kLabel, 0x0082, u"", u"ポート：", 7, 24);
    out.Item(WS_TABSTOP | WS_BORDER | ES_NUMBER, kPortEdit, 0, u"Edit", u"", 50, 24);
    out.Item(WS_TABSTOP | BS_AUTOCHECKBOX, kCheck, 0x0080, u"", u"確認する。", 7, 40);
    out.Item(WS_TABSTOP | WS_DISABLED | BS_AUTOCHECKBOX, kDisabledCheck, 0x0080, u"", u"無効", 60, 40);
    out.Item(WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kList, 0x0085, u"", u"", 7, 56);
    return out.bytes;
}

std::vector<unsigned char> SampleDlgInit() {
    TemplateWriter out;
    const std::vector<std::string> texts = {"\x83\x76\x83\x89\x83\x58", "\x83\x7d\x83\x43\x83\x69\x83\x58"};
    for (const std::string& text : texts) {
        out.Word(kList);
        out.Word(0x0403);
        out.Dword(static_cast<uint32_t>(text.size() + 1));
        for (char c : text) out.bytes.push_back(static_cast<unsigned char>(c));
        out.bytes.push_back(0);
    }
    out.Word(0);
    return out.bytes;
}

void RegisterSampleResources() {
    static const std::vector<unsigned char> dialog = SampleDialogTemplate();
    static const std::vector<unsigned char> init = SampleDlgInit();
    static const bool registered = [] {
        host::RegisterResource(5, kSampleDialogId, 0x0411, dialog.data(), dialog.size());
        host::RegisterResource(240, kSampleDialogId, 0x0411, init.data(), init.size());
        return true;
    }();
    (void)registered;
}

testsupport::RunResult RunScenario(testsupport::EmulatedDevice& device, const std::string& scenario,
                                   const std::string& script) {
    device.env[kScenarioVariable] = scenario;
    return device.Run("/proc/self/exe", {}, script);
}

bool AddScenario(const char* name, void (*run)()) {
    Scenarios()[name] = run;
    // A child runs its scenario as soon as the scenario's file registers it: it never
    // reaches the test runner.
    const char* wanted = std::getenv(kScenarioVariable);
    if (wanted && Scenarios().count(wanted)) {
        Scenarios()[wanted]();
        std::fflush(stdout);
        std::_Exit(0);
    }
    return true;
}

}  // namespace dialogtest
