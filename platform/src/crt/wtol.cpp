// _wtol: leading white space, one optional sign, decimal digits up to the first non-digit.
// Like the device runtime, a value beyond 32 bits saturates.
#include <stdlib.h>

#include <climits>
#include <cwctype>

long _wtol(const wchar_t* text) {
    if (!text) return 0;
    while (std::iswspace(static_cast<wint_t>(*text))) ++text;
    bool negative = false;
    if (*text == L'+' || *text == L'-') negative = (*text++ == L'-');
    long long value = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text) {
        value = value * 10 + (*text - L'0');
        if (value > 2147483648LL) value = 2147483648LL;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<long>(value);
}
