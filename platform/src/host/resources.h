// The program's linked resources: the resource compiler's generated source registers each
// compiled resource here at start-up; FindResourceW and friends look them up.
#pragma once

#include <cstddef>
#include <string>

namespace host {

// A resource type or name: an integer id, or a string (compared without regard to case).
struct ResourceName {
    ResourceName(unsigned short id) : id(id) {}
    ResourceName(const wchar_t* name) : id(0), name(name) {}
    unsigned short id;
    std::wstring name;  // empty for an integer id
};

// Registers bytes that live for the whole run (static data of the generated source).
void RegisterResource(const ResourceName& type, const ResourceName& name, unsigned short language,
                      const unsigned char* data, std::size_t size);

}  // namespace host
