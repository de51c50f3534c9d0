// The option string: marker search, value extraction, the agent's parse and the writing rules.
#include "OptionString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Extract(const wchar_t* text, const wchar_t* marker, size_t limit) {
    wchar_t value[HOST_VALUE_LIMIT + 1];
    wmemset(value, L'#', HOST_VALUE_LIMIT + 1);  // the routine must clear what it leaves
    ExtractOptionValue(text, marker, limit, value);
    for (size_t i = wcslen(value); i <= limit; ++i) EXPECT_EQ(value[i], L'\0') << "unfilled at " << i;
    return value;
}

struct ExtractCase {
    const char* sentence;
    const wchar_t* text;
    const wchar_t* marker;
    size_t limit;
    const wchar_t* value;
};

const ExtractCase kExtractCases[] = {
    {"a value ends at the first space", L"-htimehost -p123", L"-h", 127, L"timehost"},
    {"a value at the end of the text ends there", L"-s -p123", L"-p", 5, L"123"},
    {"a marker is found inside another option's value", L"-htime-p1 -p10123", L"-p", 5, L"1"},
    {"-p does not occur inside -op", L"-op30", L"-p", 5, L""},
    {"a missing marker yields an empty value", L"-s -c", L"-h", 127, L""},
    {"a marker followed by a space yields an empty value", L"-h -p1", L"-h", 127, L""},
    {"a marker at the very end yields an empty value", L"-p1 -h", L"-h", 127, L""},
    {"a value is cut at its limit", L"-p123456", L"-p", 5, L"12345"},
    {"the delay takes two characters", L"-d120", L"-d", 2, L"12"},
    {"the offset takes seven characters", L"-op123456789", L"-op", 7, L"1234567"},
    {"a tab does not end a value", L"-hab\tcd -p1", L"-h", 127, L"ab\tcd"},
    {"quotation marks belong to the value", L"-h\"x\" y", L"-h", 127, L"\"x\""},
    {"markers are case-sensitive", L"-Htimehost", L"-h", 127, L""},
    {"the first occurrence wins", L"-d1 -d2", L"-d", 2, L"1"},
    {"the value may start with a marker of its own", L"-h-s", L"-h", 127, L"-s"},
};

TEST(ExtractOptionValue, Cases) {
    for (const ExtractCase& c : kExtractCases)
        EXPECT_EQ(Extract(c.text, c.marker, c.limit), c.value) << c.sentence;
}

TEST(ExtractOptionValue, HostValueIsCutAt127Characters) {
    const std::wstring longHost(300, L'x');
    EXPECT_EQ(Extract((L"-h" + longHost).c_str(), L"-h", 127), std::wstring(127, L'x'));
}

TEST(WideToLong, FollowsTheRuntimeRules) {
    const struct { const wchar_t* text; long value; } cases[] = {
        {L"12ab", 12}, {L"ab", 0}, {L"-5", -5}, {L"+7", 7}, {L"\t42", 42}, {L"", 0},
        {L"+-1", 0}, {L" 9", 9}, {L"0099", 99}, {L"-", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(_wtol(c.text), c.value) << "text \"" << c.text << "\"";
}

struct ParseCase {
    const char* sentence;
    const wchar_t* text;
    const wchar_t* host;
    LONG port, offset, delay;
    BOOL silent, keep;
};

const ParseCase kParseCases[] = {
    {"an empty string gives every default", L"", DEFAULT_HOST, 123, 0, 0, FALSE, FALSE},
    {"every option is read", L"-htimehost -p10123 -s -c -op30 -d5", L"timehost", 10123, 30, 5, TRUE, TRUE},
    {"options stand in any order", L"-d5 -om30 -p7 -hx", L"x", 7, -30, 5, FALSE, FALSE},
    {"-h with an empty value keeps the default host", L"-h -p1", DEFAULT_HOST, 1, 0, 0, FALSE, FALSE},
    {"a six-digit port is cut to five", L"-p123456", DEFAULT_HOST, 12345, 0, 0, FALSE, FALSE},
    {"port 0 gives 123", L"-p0", DEFAULT_HOST, 123, 0, 0, FALSE, FALSE},
    {"a negative port gives 123", L"-p-5", DEFAULT_HOST, 123, 0, 0, FALSE, FALSE},
    {"a non-numeric port gives 123", L"-pab", DEFAULT_HOST, 123, 0, 0, FALSE, FALSE},
    {"digits before letters count", L"-p12ab", DEFAULT_HOST, 12, 0, 0, FALSE, FALSE},
    {"the highest five-digit port is kept", L"-p99999", DEFAULT_HOST, 99999, 0, 0, FALSE, FALSE},
    {"a leading tab is skipped in a number", L"-p\t77", DEFAULT_HOST, 77, 0, 0, FALSE, FALSE},
    {"a delay of 120 gives 12", L"-d120", DEFAULT_HOST, 123, 0, 12, FALSE, FALSE},
    {"a negative delay gives none", L"-d-5", DEFAULT_HOST, 123, 0, 0, FALSE, FALSE},
    {"-op with +30 gives 30", L"-op+30", DEFAULT_HOST, 123, 30, 0, FALSE, FALSE},
    {"-om with -30 gives +30", L"-om-30", DEFAULT_HOST, 123, 30, 0, FALSE, FALSE},
    {"-op wins over -om standing first", L"-om5 -op7", DEFAULT_HOST, 123, 7, 0, FALSE, FALSE},
    {"-op wins over -om standing last", L"-op7 -om5", DEFAULT_HOST, 123, 7, 0, FALSE, FALSE},
    {"the extreme offsets are taken as they are", L"-om9999999", DEFAULT_HOST, 123, -9999999, 0, FALSE, FALSE},
    {"an offset is cut to seven characters", L"-op99999999", DEFAULT_HOST, 123, 9999999, 0, FALSE, FALSE},
    {"-s inside a host switches silent on", L"-htime-server", L"time-server", 123, 0, 0, TRUE, FALSE},
    {"-c inside a host keeps the connection", L"-htime-cache", L"time-cache", 123, 0, 0, FALSE, TRUE},
    {"-p inside a host supplies the port", L"-htime-p1 -p10123", L"time-p1", 1, 0, 0, FALSE, FALSE},
    {"-d inside a host supplies the delay", L"-hx-d42y", L"x-d42y", 123, 0, 42, FALSE, FALSE},
    {"-s followed by other characters is still silent", L"-sxyz", DEFAULT_HOST, 123, 0, 0, TRUE, FALSE},
    {"capital markers are no markers", L"-Hx -P5 -S -C -OP3 -D4", DEFAULT_HOST, 123, 0, 0, FALSE, FALSE},
    {"a host typed with a space ends at the space", L"-hmy host -p5", L"my", 5, 0, 0, FALSE, FALSE},
};

TEST(ParseAgentSettings, Cases) {
    for (const ParseCase& c : kParseCases) {
        AgentSettings s;
        memset(&s, 0x5A, sizeof s);
        ParseAgentSettings(c.text, &s);
        EXPECT_STREQ(s.host, c.host) << c.sentence;
        EXPECT_EQ(s.port, c.port) << c.sentence;
        EXPECT_EQ(s.offsetSeconds, c.offset) << c.sentence;
        EXPECT_EQ(s.delaySeconds, c.delay) << c.sentence;
        EXPECT_EQ(s.silent, c.silent) << c.sentence;
        EXPECT_EQ(s.keepConnection, c.keep) << c.sentence;
    }
}

TEST(ParseAgentSettings, LongestHostIsTerminatedInItsBuffer) {
    const std::wstring text = L"-h" + std::wstring(500, L'a');
    AgentSettings s;
    memset(&s, 0x5A, sizeof s);
    ParseAgentSettings(text.c_str(), &s);
    EXPECT_EQ(std::wstring(s.host), std::wstring(127, L'a'));
}

struct WriteCase {
    const char* sentence;
    OptionTexts texts;
    const wchar_t* written;
};

const WriteCase kWriteCases[] = {
    {"the example writes five options in order", {L"timehost", L"123", TRUE, FALSE, TRUE, L"30", L"5"},
     L" -htimehost -p123 -s -op30 -d5"},
    {"empty fields and clear boxes write nothing", {L"", L"", FALSE, FALSE, TRUE, L"", L""}, L""},
    {"minus writes -om", {L"", L"", FALSE, TRUE, FALSE, L"7", L""}, L" -c -om7"},
    {"a sign with an empty offset writes no offset", {L"h", L"", FALSE, FALSE, FALSE, L"", L"9"}, L" -hh -d9"},
    {"texts are written as they are", {L"a\tb", L"x1", FALSE, FALSE, TRUE, L"+3", L"-"}, L" -ha\tb -px1 -op+3 -d-"},
};

TEST(BuildOptionString, Cases) {
    for (const WriteCase& c : kWriteCases) {
        wchar_t out[1024];
        BuildOptionString(&c.texts, out, 1024);
        EXPECT_STREQ(out, c.written) << c.sentence;
    }
}

TEST(BuildOptionString, WrittenStringReadsBackAsWritten) {
    const OptionTexts texts = {L"time.example", L"10123", TRUE, TRUE, FALSE, L"9999999", L"99"};
    wchar_t out[1024];
    BuildOptionString(&texts, out, 1024);
    AgentSettings s;
    ParseAgentSettings(out, &s);
    EXPECT_STREQ(s.host, L"time.example");
    EXPECT_EQ(s.port, 10123);
    EXPECT_EQ(s.offsetSeconds, -9999999);
    EXPECT_EQ(s.delaySeconds, 99);
    EXPECT_TRUE(s.silent);
    EXPECT_TRUE(s.keepConnection);
}

TEST(BuildOptionString, OutputIsCutToItsBufferAndTerminated) {
    const OptionTexts texts = {L"timehost", L"123", TRUE, FALSE, TRUE, L"30", L"5"};
    wchar_t out[8];
    BuildOptionString(&texts, out, 8);
    EXPECT_STREQ(out, L" -htime");
}

}  // namespace
