// The agent: one clock synchronisation per start, from the guard to the exit status.
#include <windows.h>
#include <connmgr.h>
#include <winsock.h>

#include "ClockSetting.h"
#include "FailureCode.h"
#include "OptionString.h"
#include "SntpExchange.h"

#define AGENT_CAPTION L"Horvane 1.1.0.0"
#define SYNC_WINDOW_TITLE L"ActiveSync"
#define CONNECTION_TIMEOUT_MS 20000
#define SYNC_WINDOW_POLL_MS 5000
#define WINSOCK_VERSION_1_1 0x0101
#define ANSI_HOST_BYTES 128

// What the run has acquired, so that the one teardown releases exactly that.
struct RunResources {
    HANDLE connection;
    BOOL socketLibraryStarted;
    SOCKET socket;
    BOOL keepConnection;
};

static void Teardown(const RunResources* run) {
    if (run->socket != INVALID_SOCKET) closesocket(run->socket);
    if (run->socketLibraryStarted) WSACleanup();
    if (run->connection != NULL) ConnMgrReleaseConnection(run->connection, run->keepConnection ? 1 : 0);
}

// Every failure after the connection request ends here: release, report (even when silent).
static int FailRun(const RunResources* run, FailureCode code) {
    Teardown(run);
    MessageBoxW(NULL, FailureText(code), AGENT_CAPTION, MB_OK);
    return 1;
}

static DWORD ConnectToInternet(HANDLE* connection) {
    CONNMGR_CONNECTIONINFO request;
    ZeroMemory(&request, sizeof(request));
    request.cbSize = sizeof(request);
    request.dwParams = CONNMGR_PARAM_GUIDDESTNET;
    request.dwFlags = CONNMGR_FLAG_PROXY_HTTP;
    request.dwPriority = CONNMGR_PRIORITY_USERINTERACTIVE;
    request.bExclusive = FALSE;
    request.bDisabled = FALSE;
    request.guidDestNet = IID_DestNetInternet;
    DWORD status = 0;
    // The status word alone decides; the results of both calls are not looked at.
    ConnMgrEstablishConnectionSync(&request, connection, CONNECTION_TIMEOUT_MS, &status);
    ConnMgrConnectionStatus(*connection, &status);
    return status;
}

// The platform may bring up its desktop-synchronisation window with the connection: close
// one that appears within the poll window, looking for it back to back.
static void CloseLateSyncWindow() {
    const DWORD start = GetTickCount();
    HWND window = FindWindowW(NULL, SYNC_WINDOW_TITLE);
    while (window == NULL && GetTickCount() - start <= SYNC_WINDOW_POLL_MS) window = FindWindowW(NULL, SYNC_WINDOW_TITLE);
    if (window != NULL) PostMessageW(window, WM_CLOSE, 0, 0);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
    SntpPacket request;
    SntpPacket reply;
    ZeroMemory(&request, sizeof(request));
    ZeroMemory(&reply, sizeof(reply));

    // Held until the process ends: a second start during any stage ends here, silently.
    HANDLE guard = CreateEventW(NULL, FALSE, FALSE, L"Horvane_Event");
    (void)guard;
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 1;

    AgentSettings settings;
    ParseAgentSettings(commandLine, &settings);
    if (settings.delaySeconds > 0) Sleep((DWORD)settings.delaySeconds * 1000);

    RunResources run;
    run.connection = NULL;
    run.socketLibraryStarted = FALSE;
    run.socket = INVALID_SOCKET;
    run.keepConnection = settings.keepConnection;

    if (ConnectToInternet(&run.connection) != CONNMGR_STATUS_CONNECTED) return FailRun(&run, FAILURE_CONNECTION);
    const BOOL syncWindowExisted = FindWindowW(NULL, SYNC_WINDOW_TITLE) != NULL;

    WSADATA socketLibrary;
    ZeroMemory(&socketLibrary, sizeof(socketLibrary));
    if (WSAStartup(WINSOCK_VERSION_1_1, &socketLibrary) != 0) return FailRun(&run, FAILURE_SOCKET_LIBRARY);
    run.socketLibraryStarted = TRUE;

    run.socket = socket(AF_INET, SOCK_DGRAM, 0);
    if (run.socket == INVALID_SOCKET) return FailRun(&run, FAILURE_SOCKET);

    // A name whose ANSI form does not fit with its terminator never reaches the resolver.
    CHAR ansiHost[ANSI_HOST_BYTES];
    ZeroMemory(ansiHost, sizeof(ansiHost));
    if (WideCharToMultiByte(CP_ACP, 0, settings.host, -1, ansiHost, ANSI_HOST_BYTES, NULL, NULL) == 0)
        return FailRun(&run, FAILURE_RESOLUTION);
    const struct hostent* server = gethostbyname(ansiHost);
    if (server == NULL || server->h_addr_list == NULL || server->h_addr_list[0] == NULL)
        return FailRun(&run, FAILURE_RESOLUTION);

    struct sockaddr_in address;
    ZeroMemory(&address, sizeof(address));
    address.sin_family = AF_INET;
    address.sin_port = htons((u_short)(settings.port & 0xFFFF));
    CopyMemory(&address.sin_addr, server->h_addr_list[0], 4);
    if (connect(run.socket, (const struct sockaddr*)&address, sizeof(address)) == SOCKET_ERROR)
        return FailRun(&run, FAILURE_PEER);

    u_long nonBlocking = 1;
    ioctlsocket(run.socket, FIONBIO, &nonBlocking);

    SntpReplyTimes times;
    ZeroMemory(&times, sizeof(times));
    const FailureCode exchange = ExchangeSntp(run.socket, &request, &reply, &times);
    if (exchange != FAILURE_NONE) return FailRun(&run, exchange);

    ClockChange change;
    ZeroMemory(&change, sizeof(change));
    const FailureCode clock = SetClockFromReply(&times, settings.offsetSeconds, &change);
    if (clock != FAILURE_NONE) return FailRun(&run, clock);

    Teardown(&run);
    if (!settings.silent) {
        WCHAR text[CLOCK_CHANGE_TEXT_CHARS];
        ZeroMemory(text, sizeof(text));
        FormatClockChange(&change, text, CLOCK_CHANGE_TEXT_CHARS);
        MessageBoxW(NULL, text, AGENT_CAPTION, MB_OK);
    }
    if (!syncWindowExisted) CloseLateSyncWindow();
    return 0;
}
