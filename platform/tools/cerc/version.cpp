// VERSIONINFO: the fixed statements and the nested BLOCK/VALUE tree, written as the binary
// VS_VERSIONINFO: each node is wLength, wValueLength, wType, a 16-bit key, padding to 32 bits,
// its value and its children, each child on a 32-bit boundary.
#include "cerc.h"

namespace cerc {

namespace {

constexpr uint32_t kFixedSignature = 0xFEEF04BD, kFixedStrucVersion = 0x00010000;
constexpr uint16_t kVersionType = 16;

struct Node {
    std::u16string key;
    bool text = false;             // wType 1: the value is text
    std::vector<uint8_t> value;
    uint16_t valueLength = 0;      // characters for text, bytes for binary
    std::vector<Node> children;
};

void Write(ByteWriter& out, const Node& node) {
    out.Align4();
    const size_t start = out.bytes.size();
    out.Word(0);  // wLength, patched below
    out.Word(node.valueLength);
    out.Word(node.text ? 1 : 0);
    out.Text(node.key);
    out.Align4();
    out.bytes.insert(out.bytes.end(), node.value.begin(), node.value.end());
    for (const Node& child : node.children) Write(out, child);
    out.PatchWord(start, static_cast<uint16_t>(out.bytes.size() - start));
}

// VALUE "key", "text"  or  VALUE "key", number, number, ...
Node ParseValue(TokenStream& in) {
    Node node;
    node.key = ToUtf16(ParseString(in));
    ByteWriter value;
    while (in.AcceptPunct(",")) {
        if (in.Peek().kind == Token::String) {
            node.text = true;
            for (char16_t c : ToUtf16(ParseString(in))) value.Word(c);
        } else {
            const bool isLong = in.Peek().longSuffix;
            const long long v = ParseExpression(in);
            if (isLong) value.Dword(static_cast<uint32_t>(v));
            else value.Word(static_cast<uint16_t>(v));
        }
    }
    if (node.text) value.Word(0);
    node.value = value.bytes;
    node.valueLength = static_cast<uint16_t>(node.text ? node.value.size() / 2 : node.value.size());
    return node;
}

void ParseChildren(TokenStream& in, Node& parent) {
    in.ExpectBlockStart();
    while (!in.AcceptBlockEnd()) {
        if (in.AcceptIdent("BLOCK")) {
            Node block;
            block.text = true;
            block.key = ToUtf16(ParseString(in));
            ParseChildren(in, block);
            parent.children.push_back(std::move(block));
        } else if (in.AcceptIdent("VALUE")) {
            parent.children.push_back(ParseValue(in));
        } else {
            in.Fail("expected BLOCK, VALUE or END");
        }
    }
}

uint32_t Field(TokenStream& in) { return static_cast<uint32_t>(ParseExpression(in)); }

}  // namespace

void ParseVersionInfo(TokenStream& in, ScriptState& state, const ResourceName& name) {
    uint32_t version[2][4] = {};  // FILEVERSION, PRODUCTVERSION: four 16-bit parts each
    uint32_t flagsMask = 0, flags = 0, os = 0, type = 0, subtype = 0;
    while (!in.AtBlockStart()) {
        const bool file = in.AcceptIdent("FILEVERSION");
        if (file || in.AcceptIdent("PRODUCTVERSION")) {
            uint32_t* parts = version[file ? 0 : 1];
            parts[0] = Field(in);
            for (int i = 1; i < 4 && in.AcceptPunct(","); ++i) parts[i] = Field(in);
        }
        else if (in.AcceptIdent("FILEFLAGSMASK")) flagsMask = Field(in);
        else if (in.AcceptIdent("FILEFLAGS")) flags = Field(in);
        else if (in.AcceptIdent("FILEOS")) os = Field(in);
        else if (in.AcceptIdent("FILETYPE")) type = Field(in);
        else if (in.AcceptIdent("FILESUBTYPE")) subtype = Field(in);
        else in.Fail("unknown VERSIONINFO statement");
    }
    ByteWriter fixed;
    fixed.Dword(kFixedSignature);
    fixed.Dword(kFixedStrucVersion);
    for (const uint32_t* parts : version) {
        fixed.Dword((parts[0] << 16) | (parts[1] & 0xFFFF));
        fixed.Dword((parts[2] << 16) | (parts[3] & 0xFFFF));
    }
    for (uint32_t v : {flagsMask, flags, os, type, subtype, 0u, 0u}) fixed.Dword(v);  // no file date

    Node root;
    root.key = u"VS_VERSION_INFO";
    root.value = fixed.bytes;
    root.valueLength = static_cast<uint16_t>(fixed.bytes.size());
    ParseChildren(in, root);
    ByteWriter out;
    Write(out, root);
    state.resources.push_back(CompiledResource{IdName(kVersionType), name, state.language, out.bytes});
}

}  // namespace cerc
