// FindResourceW, LoadResource, LockResource, SizeofResource over the resources that the
// program's generated resource source registered at start-up.
#include <windows.h>

#include "host/resources.h"

#include <cwctype>
#include <list>
#include <mutex>

namespace {

struct Resource {
    host::ResourceName type;
    host::ResourceName name;
    unsigned short language;
    const unsigned char* data;
    std::size_t size;
};

constexpr DWORD kResourceNameNotFound = 1814;  // ERROR_RESOURCE_NAME_NOT_FOUND

std::mutex registryLock;

// A list: registered entries never move, so an HRSRC stays valid for the whole run.
std::list<Resource>& Registry() {
    static auto* registry = new std::list<Resource>;  // lives until exit
    return *registry;
}

bool SameText(const std::wstring& a, const wchar_t* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return i == a.size() && !b[i];
}

// The caller's name: MAKEINTRESOURCE, "#123" (an integer written as text), or a string.
bool Matches(const host::ResourceName& have, LPCWSTR want) {
    if (IS_INTRESOURCE(want)) return have.name.empty() && have.id == LOWORD(want);
    if (want[0] == L'#') {
        unsigned long id = 0;
        const wchar_t* p = want + 1;
        if (!*p) return false;
        for (; *p; ++p) {
            if (*p < L'0' || *p > L'9' || id > 0xFFFF) return false;
            id = id * 10 + static_cast<unsigned long>(*p - L'0');
        }
        return have.name.empty() && have.id == id;
    }
    return !have.name.empty() && SameText(have.name, want);
}

}  // namespace

namespace host {

void RegisterResource(const ResourceName& type, const ResourceName& name, unsigned short language,
                      const unsigned char* data, std::size_t size) {
    std::lock_guard<std::mutex> lock(registryLock);
    Registry().push_back(Resource{type, name, language, data, size});
}

}  // namespace host

HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    (void)module;  // a program has one module: its own
    if (!name || !type) { SetLastError(ERROR_INVALID_PARAMETER); return nullptr; }
    std::lock_guard<std::mutex> lock(registryLock);
    for (Resource& r : Registry())
        if (Matches(r.type, type) && Matches(r.name, name)) return reinterpret_cast<HRSRC>(&r);
    SetLastError(kResourceNameNotFound);
    return nullptr;
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
    (void)module;
    if (!resource) { SetLastError(ERROR_INVALID_HANDLE); return nullptr; }
    return const_cast<unsigned char*>(reinterpret_cast<const Resource*>(resource)->data);
}

LPVOID WINAPI LockResource(HGLOBAL resourceData) { return resourceData; }

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
    (void)module;
    if (!resource) { SetLastError(ERROR_INVALID_HANDLE); return 0; }
    return static_cast<DWORD>(reinterpret_cast<const Resource*>(resource)->size);
}
