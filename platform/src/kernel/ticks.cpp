// GetTickCount and Sleep over the host's monotonic clock. CE_TICK_START=N makes the count
// read N when the process starts, so that programs can be run into the 32-bit wrap.
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>

namespace {

uint64_t MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

// What GetTickCount adds to the monotonic milliseconds (modulo 2^32).
uint32_t TickBias() {
    static const uint32_t bias = [] {
        const char* start = std::getenv("CE_TICK_START");
        if (!start || !*start) return uint32_t{0};
        char* end = nullptr;
        errno = 0;
        const unsigned long long wanted = std::strtoull(start, &end, 10);
        if (errno != 0 || *end != '\0') return uint32_t{0};
        return static_cast<uint32_t>(wanted) - static_cast<uint32_t>(MonotonicMs());
    }();
    return bias;
}

// Fix the bias while the process starts, not at the first call.
const uint32_t startupBias = TickBias();

}  // namespace

DWORD WINAPI GetTickCount(void) {
    (void)startupBias;
    return static_cast<uint32_t>(MonotonicMs()) + TickBias();
}

void WINAPI Sleep(DWORD milliseconds) {
    timespec remaining{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}
