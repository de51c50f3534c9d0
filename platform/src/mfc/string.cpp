// CString: a wide text in a buffer of its own that grows as needed.
#include <afxwin.h>

#include <algorithm>
#include <cwchar>
#include <string>

namespace {

int Length(LPCTSTR text) { return text ? static_cast<int>(std::wcslen(text)) : 0; }

bool Equal(LPCTSTR a, LPCTSTR b) { return std::wcscmp(a ? a : L"", b ? b : L"") == 0; }

}  // namespace

CString::CString() : m_pchData(nullptr), m_nLength(0), m_nCapacity(0) { Reserve(0); }
CString::CString(const CString& other) : CString() { Assign(other.m_pchData, other.m_nLength); }
CString::CString(LPCTSTR text) : CString() { Assign(text, Length(text)); }
CString::~CString() { delete[] m_pchData; }

CString& CString::operator=(const CString& other) {
    if (this != &other) Assign(other.m_pchData, other.m_nLength);
    return *this;
}

CString& CString::operator=(LPCTSTR text) {
    // The text may lie inside this string's own buffer: copy it first.
    const std::wstring copy(text ? text : L"");
    Assign(copy.c_str(), static_cast<int>(copy.size()));
    return *this;
}

CString& CString::operator+=(const CString& other) {
    const CString copy(other);
    Append(copy.m_pchData, copy.m_nLength);
    return *this;
}

CString& CString::operator+=(LPCTSTR text) { return *this += CString(text); }

CString& CString::operator+=(TCHAR ch) {
    Append(&ch, 1);
    return *this;
}

int CString::GetLength() const { return m_nLength; }
BOOL CString::IsEmpty() const { return m_nLength == 0; }
void CString::Empty() { Assign(L"", 0); }

LPTSTR CString::GetBuffer(int minLength) {
    Reserve(std::max(minLength, m_nLength));
    return m_pchData;
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        newLength = 0;
        while (newLength < m_nCapacity && m_pchData[newLength]) ++newLength;
    }
    m_nLength = std::min(newLength, m_nCapacity);
    m_pchData[m_nLength] = L'\0';
}

CString::operator LPCTSTR() const { return m_pchData; }

void CString::Assign(LPCTSTR text, int length) {
    Reserve(length);
    if (length > 0) std::wmemcpy(m_pchData, text, static_cast<size_t>(length));
    m_nLength = length;
    m_pchData[length] = L'\0';
}

void CString::Append(LPCTSTR text, int length) {
    Reserve(m_nLength + length);
    if (length > 0) std::wmemcpy(m_pchData + m_nLength, text, static_cast<size_t>(length));
    m_nLength += length;
    m_pchData[m_nLength] = L'\0';
}

// Room for capacity characters and the terminating zero; the contents are kept, and a new
// buffer is zero-filled.
void CString::Reserve(int capacity) {
    if (m_pchData && capacity <= m_nCapacity) return;
    const int grown = std::max(capacity, m_nCapacity * 2);
    TCHAR* buffer = new TCHAR[static_cast<size_t>(grown) + 1]();
    if (m_pchData) std::wmemcpy(buffer, m_pchData, static_cast<size_t>(m_nLength) + 1);
    delete[] m_pchData;
    m_pchData = buffer;
    m_nCapacity = grown;
}

bool operator==(const CString& a, const CString& b) { return Equal(a, b); }
bool operator==(const CString& a, LPCTSTR b) { return Equal(a, b); }
bool operator==(LPCTSTR a, const CString& b) { return Equal(a, b); }
bool operator!=(const CString& a, const CString& b) { return !Equal(a, b); }
bool operator!=(const CString& a, LPCTSTR b) { return !Equal(a, b); }
bool operator!=(LPCTSTR a, const CString& b) { return !Equal(a, b); }

CString operator+(const CString& a, const CString& b) {
    CString sum(a);
    sum += b;
    return sum;
}
CString operator+(const CString& a, LPCTSTR b) { return a + CString(b); }
CString operator+(LPCTSTR a, const CString& b) { return CString(a) + b; }
