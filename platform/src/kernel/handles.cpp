// The process's handle table and CloseHandle.
#include "host/handles.h"

#include <map>
#include <mutex>

namespace host {

namespace {

std::mutex tableLock;
uintptr_t nextHandle = 0x100;

std::map<uintptr_t, std::unique_ptr<KernelObject>>& Table() {
    static auto* table = new std::map<uintptr_t, std::unique_ptr<KernelObject>>;  // lives until exit
    return *table;
}

}  // namespace

HANDLE NewHandle(std::unique_ptr<KernelObject> object) {
    std::lock_guard<std::mutex> lock(tableLock);
    const uintptr_t value = nextHandle;
    nextHandle += 4;
    Table()[value] = std::move(object);
    return reinterpret_cast<HANDLE>(value);
}

KernelObject* LookupHandle(HANDLE handle) {
    std::lock_guard<std::mutex> lock(tableLock);
    auto it = Table().find(reinterpret_cast<uintptr_t>(handle));
    return it == Table().end() ? nullptr : it->second.get();
}

}  // namespace host

BOOL WINAPI CloseHandle(HANDLE handle) {
    std::unique_ptr<host::KernelObject> object;
    {
        std::lock_guard<std::mutex> lock(host::tableLock);
        auto it = host::Table().find(reinterpret_cast<uintptr_t>(handle));
        if (it == host::Table().end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        object = std::move(it->second);
        host::Table().erase(it);
    }
    return TRUE;
}
