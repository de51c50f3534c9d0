// CObject, CCmdTarget with its message map, CWnd and the window handle map, the control
// wrappers and dialog data exchange.
#include <afxwin.h>

#include "mfc/handlemap.h"

#include <map>
#include <memory>
#include <vector>

namespace {

std::map<HWND, CWnd*>& Permanent() {
    static std::map<HWND, CWnd*> map;
    return map;
}

std::map<HWND, std::unique_ptr<CWnd>>& Temporary() {
    static std::map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

}  // namespace

namespace mfc {

CWnd* LookupPermanent(HWND window) {
    const auto it = Permanent().find(window);
    return it == Permanent().end() ? nullptr : it->second;
}

void ForgetDestroyedWindows() {
    std::vector<CWnd*> gone;
    for (const auto& entry : Permanent())
        if (!IsWindow(entry.first)) gone.push_back(entry.second);
    for (CWnd* wnd : gone) wnd->Detach();
    for (auto it = Temporary().begin(); it != Temporary().end();)
        it = IsWindow(it->first) ? std::next(it) : Temporary().erase(it);
}

}  // namespace mfc

CObject::CObject() {}
CObject::~CObject() {}

CCmdTarget::CCmdTarget() {}
CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode) {
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry)
            if (entry->nMessage == WM_COMMAND && entry->nCode == static_cast<UINT>(nCode) && entry->nID <= nID &&
                nID <= entry->nLastID) {
                (this->*entry->pfn)();
                return TRUE;
            }
    return FALSE;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) { return ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC); }

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(nullptr) {}

CWnd::~CWnd() { Detach(); }

HWND CWnd::GetSafeHwnd() const { return m_hWnd; }
CWnd::operator HWND() const { return GetSafeHwnd(); }

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd) return nullptr;
    if (CWnd* wnd = mfc::LookupPermanent(hWnd)) return wnd;
    std::unique_ptr<CWnd>& temporary = Temporary()[hWnd];
    if (!temporary) {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = hWnd;  // not in the permanent map: nothing to detach
    }
    return temporary.get();
}

BOOL CWnd::Attach(HWND hWnd) {
    if (m_hWnd || !hWnd || mfc::LookupPermanent(hWnd)) return FALSE;
    m_hWnd = hWnd;
    Permanent()[hWnd] = this;
    return TRUE;
}

HWND CWnd::Detach() {
    const HWND hWnd = m_hWnd;
    if (hWnd && mfc::LookupPermanent(hWnd) == this) Permanent().erase(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

LRESULT CWnd::SendMessageW(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(
        SendMessageW(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

void CWnd::SetWindowTextW(LPCTSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }

int CWnd::GetWindowTextW(LPTSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowTextW(CString& rString) const {
    const int length = GetWindowTextLengthW();
    ::GetWindowTextW(m_hWnd, rString.GetBuffer(length), length + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetWindowTextLengthW() const { return ::GetWindowTextLengthW(m_hWnd); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

int CWnd::MessageBoxW(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    if (!lpszCaption && AfxGetApp()) lpszCaption = AfxGetApp()->m_pszAppName;
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) return OnCommand(wParam, lParam);
    return 0;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

void CWnd::DoDataExchange(CDataExchange* pDX) { (void)pDX; }

int CButton::GetCheck() const { return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0)); }
void CButton::SetCheck(int nCheck) { ::SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0); }

int CComboBox::GetCount() const { return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0)); }
int CComboBox::GetCurSel() const { return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0)); }
int CComboBox::SetCurSel(int nSelect) {
    return static_cast<int>(::SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}
int CComboBox::AddString(LPCTSTR lpszString) {
    return static_cast<int>(::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}
int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const {
    return static_cast<int>(
        ::SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}
void CComboBox::GetLBText(int nIndex, CString& rString) const {
    const int length = GetLBTextLen(nIndex);
    if (length < 0) { rString.Empty(); return; }
    GetLBText(nIndex, rString.GetBuffer(length));
    rString.ReleaseBuffer();
}
int CComboBox::GetLBTextLen(int nIndex) const {
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}

void CEdit::LimitText(int nChars) { ::SendMessageW(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0); }

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    const HWND control = pDX->PrepareCtrl(nIDC);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) CWnd::FromHandle(control)->GetWindowTextW(value);
    else ::SetWindowTextW(control, value);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd) return;  // attached by an earlier exchange
    rControl.Attach(pDX->PrepareCtrl(nIDC));
}
