// ICON: an .ico file split into one RT_ICON resource per image and the RT_GROUP_ICON
// directory that names them.
#include "cerc.h"

#include <fstream>
#include <iterator>

namespace cerc {

namespace {

constexpr uint16_t kIconType = 3, kGroupIconType = 14;
constexpr size_t kIconDirSize = 6, kIconDirEntrySize = 16;

uint32_t Read(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
    return v;
}

}  // namespace

// name ICON "file.ico"
void ParseIcon(TokenStream& in, ScriptState& state, const ResourceName& name) {
    const std::u32string fileName = ParseString(in);
    const std::string path = state.folder + "/" + std::string(fileName.begin(), fileName.end());
    state.inputs.push_back(path);
    std::ifstream file(path, std::ios::binary);
    if (!file) throw CompileError(path + ": cannot be read");
    const std::vector<uint8_t> ico((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (ico.size() < kIconDirSize || Read(ico, 0, 2) != 0 || Read(ico, 2, 2) != 1)
        throw CompileError(path + ": not an icon file");
    const uint16_t count = static_cast<uint16_t>(Read(ico, 4, 2));
    if (count == 0 || ico.size() < kIconDirSize + count * kIconDirEntrySize)
        throw CompileError(path + ": icon directory is truncated");

    ByteWriter group;
    group.Word(0);
    group.Word(1);
    group.Word(count);
    for (uint16_t i = 0; i < count; ++i) {
        const size_t entry = kIconDirSize + i * kIconDirEntrySize;
        const uint32_t size = Read(ico, entry + 8, 4);
        const uint32_t offset = Read(ico, entry + 12, 4);
        if (offset > ico.size() || size > ico.size() - offset)
            throw CompileError(path + ": image " + std::to_string(i + 1) + " lies outside the file");
        const uint16_t id = state.nextIconId++;
        state.resources.push_back(CompiledResource{IdName(kIconType), IdName(id), state.language,
            std::vector<uint8_t>(ico.begin() + offset, ico.begin() + offset + size)});
        for (size_t k = 0; k < 4; ++k) group.Byte(ico[entry + k]);  // width, height, colours, reserved
        group.Word(static_cast<uint16_t>(Read(ico, entry + 4, 2)));  // planes
        group.Word(static_cast<uint16_t>(Read(ico, entry + 6, 2)));  // bits per pixel
        group.Dword(size);
        group.Word(id);
    }
    state.resources.push_back(CompiledResource{IdName(kGroupIconType), name, state.language, group.bytes});
}

}  // namespace cerc
