// Internal services of the host platform: the device folder, text encodings, injected
// failures, the journal and the input script. Not visible to programs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host {

// UTF-8 <-> wide text. Invalid UTF-8 bytes decode to U+FFFD; wide units outside Unicode
// encode as U+FFFD.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// The device's folder ($CE_DEVICE_DIR), created with its skeleton on first use.
const std::string& DeviceDir();
// A folder of platform state inside the device folder, created when missing.
std::string DeviceSubdir(const std::string& relative);
// Device paths are host paths written with '\' instead of '/'.
std::string DevicePathToHost(const std::wstring& devicePath);
std::wstring HostPathToDevice(const std::string& hostPath);

// CE_FAIL=Name[,Name...]: true when the named platform function is to fail.
bool InjectedFailure(const char* api);

// One journal line ($CE_JOURNAL, JSON Lines): {"api": ..., key: value, ...}. Written with
// a single append so that lines of concurrent processes never interleave.
class JournalEntry {
public:
    explicit JournalEntry(const char* api);
    JournalEntry& Str(const char* key, const std::string& utf8);
    JournalEntry& Str(const char* key, const std::wstring& text);
    JournalEntry& Num(const char* key, long long value);
    JournalEntry& Bool(const char* key, bool value);
    JournalEntry& Raw(const char* key, const std::string& json);  // an already encoded value
    void Write();
    static std::string Quote(const std::string& utf8);  // JSON string literal
private:
    std::string line_;
};
bool JournalEnabled();

// Local time and host UTC in the journal's formats.
std::string JournalLocalTime(int year, int month, int day, int hour, int minute, int second, int ms);
std::string JournalHostUtcNow();

// The input script: one action per line on standard input when it is not a terminal.
struct ScriptAction {
    enum Kind { Type, Key, Snapshot } kind;
    std::wstring text;  // Type: the characters; Key: the key's name
};
bool InteractiveTerminal();                        // standard input and output are a terminal
std::optional<ScriptAction> NextScriptAction();    // nullopt when the script has run out

}  // namespace host
