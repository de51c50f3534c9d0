// LoadIconW: a handle for an icon group (RT_GROUP_ICON) of the program's resources.
#include <windows.h>

#include <map>
#include <memory>

namespace {

constexpr size_t kGroupHeaderBytes = 6;  // WORD reserved (0), WORD type (1), WORD count
constexpr size_t kGroupEntryBytes = 14;

struct Icon {
    const void* group;  // the icon group's resource data
};

WORD ReadWord(const unsigned char* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

// A well-formed icon group: the header of an icon (type 1), at least one entry, all inside.
bool IsIconGroup(const unsigned char* data, size_t size) {
    if (!data || size < kGroupHeaderBytes) return false;
    const WORD count = ReadWord(data + 4);
    return ReadWord(data) == 0 && ReadWord(data + 2) == 1 && count > 0 &&
           size >= kGroupHeaderBytes + kGroupEntryBytes * count;
}

}  // namespace

HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name) {
    // One handle per icon group for the whole run, as for a shared icon.
    static std::map<const void*, std::unique_ptr<Icon>> icons;
    if (!instance || !name) return nullptr;
    const HRSRC resource = FindResourceW(instance, name, RT_GROUP_ICON);
    if (!resource) return nullptr;
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(instance, resource)));
    if (!IsIconGroup(data, SizeofResource(instance, resource))) return nullptr;
    std::unique_ptr<Icon>& icon = icons[data];
    if (!icon) icon = std::make_unique<Icon>(Icon{data});
    return reinterpret_cast<HICON>(icon.get());
}
