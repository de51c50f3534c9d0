// The agent's option string: marker search, value extraction, parse and writing.
#include "OptionString.h"

#include <stdlib.h>
#include <wchar.h>

BOOL HasOption(LPCWSTR text, LPCWSTR marker)
{
    if (text == NULL || marker == NULL)
        return FALSE;
    return wcsstr(text, marker) != NULL;
}

void ExtractOptionValue(LPCWSTR text, LPCWSTR marker, size_t limit, LPWSTR value)
{
    ZeroMemory(value, (limit + 1) * sizeof(WCHAR));
    if (text == NULL || marker == NULL)
        return;

    LPCWSTR start = wcsstr(text, marker);
    if (start == NULL)
        return;
    start += wcslen(marker);

    // Only U+0020 ends a value; tabs and quotation marks belong to it.
    size_t length = 0;
    while (start[length] != L'\0' && start[length] != L' ')
        length++;
    if (length > limit)
        length = limit;
    wcsncpy(value, start, length);
}

// A number behind a marker, converted as _wtol does. The buffer fits the longest number.
static LONG OptionNumber(LPCWSTR text, LPCWSTR marker, size_t limit)
{
    WCHAR value[OFFSET_VALUE_LIMIT + 1];
    ExtractOptionValue(text, marker, limit, value);
    return (LONG)_wtol(value);
}

void ParseAgentSettings(LPCWSTR text, AgentSettings* settings)
{
    ZeroMemory(settings, sizeof(*settings));

    settings->silent = HasOption(text, OPTION_SILENT);
    settings->keepConnection = HasOption(text, OPTION_KEEP_CONNECTION);

    if (HasOption(text, OPTION_HOST))
        ExtractOptionValue(text, OPTION_HOST, HOST_VALUE_LIMIT, settings->host);

    if (HasOption(text, OPTION_PORT)) {
        settings->port = OptionNumber(text, OPTION_PORT, PORT_VALUE_LIMIT);
        if (settings->port < 0)
            settings->port = 0;
    }

    // "-op" decides over "-om" wherever the two stand; a sign inside the value counts.
    if (HasOption(text, OPTION_OFFSET_PLUS))
        settings->offsetSeconds = OptionNumber(text, OPTION_OFFSET_PLUS, OFFSET_VALUE_LIMIT);
    else if (HasOption(text, OPTION_OFFSET_MINUS))
        settings->offsetSeconds = -OptionNumber(text, OPTION_OFFSET_MINUS, OFFSET_VALUE_LIMIT);

    if (HasOption(text, OPTION_DELAY)) {
        settings->delaySeconds = OptionNumber(text, OPTION_DELAY, DELAY_VALUE_LIMIT);
        if (settings->delaySeconds < 0)
            settings->delaySeconds = 0;
    }

    if (settings->host[0] == L'\0')
        wcsncpy(settings->host, DEFAULT_HOST, HOST_VALUE_LIMIT);
    if (settings->port == 0)
        settings->port = DEFAULT_PORT;
}

// Appends a space, the marker and its value; what would not fit the buffer is cut.
static void AppendOption(LPWSTR out, size_t outChars, LPCWSTR marker, LPCWSTR value)
{
    size_t used = wcslen(out);
    LPCWSTR pieces[3] = { L" ", marker, value };
    for (int i = 0; i < 3; i++) {
        for (LPCWSTR c = pieces[i]; *c != L'\0'; c++) {
            if (used + 1 >= outChars)
                return;
            out[used++] = *c;
        }
    }
}

static BOOL IsEmpty(LPCWSTR text)
{
    return text == NULL || text[0] == L'\0';
}

void BuildOptionString(const OptionTexts* texts, LPWSTR out, size_t outChars)
{
    if (outChars == 0)
        return;
    ZeroMemory(out, outChars * sizeof(WCHAR));

    if (!IsEmpty(texts->host))
        AppendOption(out, outChars, OPTION_HOST, texts->host);
    if (!IsEmpty(texts->port))
        AppendOption(out, outChars, OPTION_PORT, texts->port);
    if (texts->silent)
        AppendOption(out, outChars, OPTION_SILENT, L"");
    if (texts->keepConnection)
        AppendOption(out, outChars, OPTION_KEEP_CONNECTION, L"");
    if (!IsEmpty(texts->offset))
        AppendOption(out, outChars, texts->offsetPlus ? OPTION_OFFSET_PLUS : OPTION_OFFSET_MINUS, texts->offset);
    if (!IsEmpty(texts->delay))
        AppendOption(out, outChars, OPTION_DELAY, texts->delay);
}
