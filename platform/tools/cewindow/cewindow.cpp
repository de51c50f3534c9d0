// cewindow TITLE: creates a top-level window titled TITLE on the device (CE_DEVICE_DIR) and
// exits with status 0 when the window receives WM_CLOSE; other messages are ignored.
#include <windows.h>

#include "host/host.h"
#include "host/toplevel.h"

#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C.UTF-8");
    if (argc != 2) {
        std::fprintf(stderr, "usage: cewindow TITLE\n");
        return 2;
    }
    const std::unique_ptr<host::TopLevelWindow> window = host::TopLevelWindow::Create(host::FromUtf8(argv[1]));
    if (!window) return 1;
    for (;;) {
        const std::optional<host::PostedMessage> message = window->NextMessage(-1);
        if (message && message->message == WM_CLOSE) return 0;
    }
}
