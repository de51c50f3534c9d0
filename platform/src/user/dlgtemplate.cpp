// Reading the compiled dialog template: little-endian integers, UTF-16 texts, items on DWORD
// boundaries. Every read is checked against the template's size.
#include "user/dlgtemplate.h"

#include "user/window.h"

namespace {

class TemplateReader {
public:
    TemplateReader(const void* data, size_t size) : bytes_(static_cast<const unsigned char*>(data)), size_(size) {}

    bool ok() const { return ok_; }
    WORD Word() {
        if (!Need(2)) return 0;
        const WORD value = static_cast<WORD>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return value;
    }
    DWORD Dword() {
        const DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }
    short Short() { return static_cast<short>(Word()); }
    // A zero-terminated UTF-16 text; surrogate pairs become one character.
    std::wstring Text() {
        std::wstring text;
        for (;;) {
            const WORD unit = Word();
            if (!ok_ || unit == 0) return text;
            if (unit >= 0xD800 && unit < 0xDC00 && pos_ + 2 <= size_) {
                const WORD low = static_cast<WORD>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
                if (low >= 0xDC00 && low < 0xE000) {
                    pos_ += 2;
                    text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
                    continue;
                }
            }
            text.push_back(static_cast<wchar_t>(unit));
        }
    }
    // A menu, class or title field: 0x0000 none, 0xFFFF and an ordinal, or a text.
    std::wstring NameOrOrdinal(WORD& ordinal) {
        ordinal = 0;
        const size_t start = pos_;
        const WORD first = Word();
        if (first == 0x0000) return std::wstring();
        if (first == 0xFFFF) { ordinal = Word(); return std::wstring(); }
        pos_ = start;
        return Text();
    }
    void Skip(size_t count) {
        if (Need(count)) pos_ += count;
    }
    void AlignToDword() {
        const size_t aligned = (pos_ + 3) & ~static_cast<size_t>(3);
        if (aligned <= size_) pos_ = aligned;
        else ok_ = false;
    }

private:
    bool Need(size_t count) {
        if (!ok_ || size_ - pos_ < count) ok_ = false;
        return ok_;
    }
    const unsigned char* bytes_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

constexpr WORD kExtendedTemplateSignature = 0xFFFF;

}  // namespace

namespace user {

std::optional<DialogTemplate> ParseDialogTemplate(const void* data, size_t size) {
    if (!data) return std::nullopt;
    TemplateReader in(data, size);
    DialogTemplate dialog;
    dialog.style = in.Dword();
    if (HIWORD(dialog.style) == kExtendedTemplateSignature) return std::nullopt;
    dialog.exStyle = in.Dword();
    const WORD count = in.Word();
    dialog.x = in.Short();
    dialog.y = in.Short();
    dialog.cx = in.Short();
    dialog.cy = in.Short();
    WORD ordinal = 0;
    in.NameOrOrdinal(ordinal);  // the menu: dialogs here have none to show
    dialog.className = in.NameOrOrdinal(ordinal);
    dialog.title = in.Text();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.Word();
        dialog.faceName = in.Text();
    }
    for (WORD i = 0; i < count && in.ok(); ++i) {
        in.AlignToDword();
        DialogItem item;
        item.style = in.Dword();
        item.exStyle = in.Dword();
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = in.Word();
        WORD atom = 0;
        item.className = in.NameOrOrdinal(atom);
        if (atom) {
            const wchar_t* name = ClassNameOfAtom(atom);
            if (!name) return std::nullopt;
            item.className = name;
        }
        item.title = in.NameOrOrdinal(ordinal);
        in.Skip(in.Word());  // creation data: no class here takes any
        dialog.items.push_back(item);
    }
    if (!in.ok()) return std::nullopt;
    return dialog;
}

}  // namespace user
