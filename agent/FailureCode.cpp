// The failure texts: one wording, the code in ASCII parentheses.
#include "FailureCode.h"

static const LPCWSTR FAILURE_TEXTS[] = {
    L"",
    L"通信に失敗しました。(001)",
    L"通信に失敗しました。(002)",
    L"通信に失敗しました。(003)",
    L"通信に失敗しました。(004)",
    L"通信に失敗しました。(005)",
    L"通信に失敗しました。(006)",
    L"通信に失敗しました。(007)",
    L"通信に失敗しました。(008)",
    L"通信に失敗しました。(009)",
};

LPCWSTR FailureText(FailureCode code) {
    if (code < FAILURE_NONE || code > FAILURE_CLOCK) return FAILURE_TEXTS[0];
    return FAILURE_TEXTS[code];
}
