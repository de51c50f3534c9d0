// The journal: one JSON object per observable platform event, appended to $CE_JOURNAL.
#include "host/host.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace host {

static const char* JournalPath() {
    const char* path = std::getenv("CE_JOURNAL");
    return (path && *path) ? path : nullptr;
}

bool JournalEnabled() { return JournalPath() != nullptr; }

std::string JournalEntry::Quote(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

JournalEntry::JournalEntry(const char* api) : line_("{\"api\":" + Quote(api)) {}

JournalEntry& JournalEntry::Raw(const char* key, const std::string& json) {
    line_ += "," + Quote(key) + ":" + json;
    return *this;
}
JournalEntry& JournalEntry::Str(const char* key, const std::string& utf8) { return Raw(key, Quote(utf8)); }
JournalEntry& JournalEntry::Str(const char* key, const std::wstring& text) { return Raw(key, Quote(ToUtf8(text))); }
JournalEntry& JournalEntry::Num(const char* key, long long value) { return Raw(key, std::to_string(value)); }
JournalEntry& JournalEntry::Bool(const char* key, bool value) { return Raw(key, value ? "true" : "false"); }

void JournalEntry::Write() {
    const char* path = JournalPath();
    if (!path) return;
    const std::string line = line_ + "}\n";
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;
    // One write() with O_APPEND: lines of several processes never interleave.
    ssize_t unused = ::write(fd, line.data(), line.size());
    (void)unused;
    ::close(fd);
}

std::string JournalLocalTime(int year, int month, int day, int hour, int minute, int second, int ms) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", year, month, day, hour, minute, second, ms);
    return buf;
}

std::string JournalHostUtcNow() {
    const auto now = std::chrono::system_clock::now();
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count();
    const std::time_t secs = static_cast<std::time_t>(us / 1000000);
    std::tm tm{};
    gmtime_r(&secs, &tm);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d.%06dZ", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(us % 1000000));
    return buf;
}

}  // namespace host
