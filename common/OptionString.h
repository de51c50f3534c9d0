// The agent's option string: its markers and value limits, the value extraction that both
// programs use, the agent's parse into AgentSettings, and the writing of the string.
#ifndef HORVANE_OPTIONSTRING_H
#define HORVANE_OPTIONSTRING_H

#include <windows.h>

#define OPTION_HOST L"-h"
#define OPTION_PORT L"-p"
#define OPTION_SILENT L"-s"
#define OPTION_KEEP_CONNECTION L"-c"
#define OPTION_OFFSET_PLUS L"-op"
#define OPTION_OFFSET_MINUS L"-om"
#define OPTION_DELAY L"-d"

// Longest value taken behind each marker; the value buffers hold one more character.
#define HOST_VALUE_LIMIT 127
#define PORT_VALUE_LIMIT 5
#define OFFSET_VALUE_LIMIT 7
#define DELAY_VALUE_LIMIT 2

// The public NTP service of Japan's national time institute: the devices are Japanese.
#define DEFAULT_HOST L"ntp.nict.jp"
#define DEFAULT_PORT 123

struct AgentSettings {
    WCHAR host[HOST_VALUE_LIMIT + 1];
    LONG port;
    LONG offsetSeconds;
    LONG delaySeconds;
    BOOL silent;
    BOOL keepConnection;
};

// The texts, flags and sign from which the settings program writes the option string.
struct OptionTexts {
    LPCWSTR host;
    LPCWSTR port;
    BOOL silent;
    BOOL keepConnection;
    BOOL offsetPlus;
    LPCWSTR offset;
    LPCWSTR delay;
};

// Whether the marker occurs anywhere in the text (inside values too).
BOOL HasOption(LPCWSTR text, LPCWSTR marker);

// Copies the value behind the first occurrence of the marker, up to the next space and at
// most limit characters, into value, which holds limit + 1 characters and is zero-filled
// first. A marker that does not occur yields an empty value.
void ExtractOptionValue(LPCWSTR text, LPCWSTR marker, size_t limit, LPWSTR value);

// The agent's settings from its command line; every input yields a complete record.
void ParseAgentSettings(LPCWSTR text, AgentSettings* settings);

// Writes the option string into out (outChars characters, zero-filled first): each option
// begins with a space, an empty text writes no option. Output that would not fit is cut.
void BuildOptionString(const OptionTexts* texts, LPWSTR out, size_t outChars);

#endif
