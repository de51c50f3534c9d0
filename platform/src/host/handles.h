// Kernel object handles: every object a HANDLE stands for (event, file, ...) derives from
// KernelObject; CloseHandle destroys it.
#pragma once

#include <windows.h>

#include <memory>

namespace host {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

HANDLE NewHandle(std::unique_ptr<KernelObject> object);
KernelObject* LookupHandle(HANDLE handle);  // nullptr for an unknown or closed handle

template <typename T>
T* LookupHandleAs(HANDLE handle) {
    return dynamic_cast<T*>(LookupHandle(handle));
}

}  // namespace host
