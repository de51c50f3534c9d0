// The Connection Manager, emulated: CE_CONNMGR=connected (default) connects at once,
// `unavailable` fails at once with no handle, `timeout` gives a handle that never connects
// and so waits out the request's whole time-out.
#include <connmgr.h>

#include "host/handles.h"
#include "host/host.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

const GUID IID_DestNetInternet = {0x436EF144, 0xB4FB, 0x4863, {0xA0, 0x41, 0x8F, 0x90, 0x5A, 0x62, 0xC5, 0x72}};

namespace {

constexpr HRESULT kTimedOut = static_cast<HRESULT>(0x80070102);  // the wait's time-out as an HRESULT

enum class Mode { Connected, Unavailable, Timeout };

Mode ConfiguredMode() {
    const char* mode = std::getenv("CE_CONNMGR");
    if (!mode || !*mode || std::strcmp(mode, "connected") == 0) return Mode::Connected;
    if (std::strcmp(mode, "unavailable") == 0) return Mode::Unavailable;
    if (std::strcmp(mode, "timeout") == 0) return Mode::Timeout;
    std::fprintf(stderr, "CE_CONNMGR=%s is not one of connected, unavailable, timeout: using connected\n", mode);
    return Mode::Connected;
}

// One connection request; its handle lives in the kernel handle table until released.
class ConnectionRequest : public host::KernelObject {
public:
    explicit ConnectionRequest(DWORD status) : status(status) {}
    DWORD status;
};

HRESULT Finish(HRESULT result, HANDLE handle, DWORD status, HANDLE* connection, DWORD* statusOut) {
    *connection = handle;
    *statusOut = status;
    host::JournalEntry("ConnMgrEstablishConnectionSync").Num("status", status).Bool("handle", handle != nullptr).Write();
    return result;
}

}  // namespace

HRESULT WINAPI ConnMgrEstablishConnectionSync(CONNMGR_CONNECTIONINFO* connectionInfo, HANDLE* connection,
                                              DWORD timeout, DWORD* status) {
    if (connection) *connection = nullptr;
    if (!connectionInfo || connectionInfo->cbSize != sizeof(CONNMGR_CONNECTIONINFO) || !connection || !status)
        return E_INVALIDARG;
    if (host::InjectedFailure("ConnMgrEstablishConnectionSync"))
        return Finish(E_FAIL, nullptr, CONNMGR_STATUS_CONNECTIONFAILED, connection, status);
    switch (ConfiguredMode()) {
    case Mode::Connected: {
        HANDLE handle = host::NewHandle(std::make_unique<ConnectionRequest>(CONNMGR_STATUS_CONNECTED));
        return Finish(S_OK, handle, CONNMGR_STATUS_CONNECTED, connection, status);
    }
    case Mode::Unavailable:
        return Finish(E_FAIL, nullptr, CONNMGR_STATUS_NOPATHTODESTINATION, connection, status);
    case Mode::Timeout: {
        HANDLE handle = host::NewHandle(std::make_unique<ConnectionRequest>(CONNMGR_STATUS_WAITINGCONNECTION));
        Sleep(timeout);
        return Finish(kTimedOut, handle, CONNMGR_STATUS_WAITINGCONNECTION, connection, status);
    }
    }
    return E_FAIL;
}

HRESULT WINAPI ConnMgrConnectionStatus(HANDLE connection, DWORD* status) {
    const ConnectionRequest* request = host::LookupHandleAs<ConnectionRequest>(connection);
    if (!request || !status) return E_INVALIDARG;
    *status = request->status;
    return S_OK;
}

HRESULT WINAPI ConnMgrReleaseConnection(HANDLE connection, LONG cache) {
    if (!host::LookupHandleAs<ConnectionRequest>(connection)) return E_INVALIDARG;
    CloseHandle(connection);
    host::JournalEntry("ConnMgrReleaseConnection").Num("cache", cache).Write();
    return S_OK;
}
