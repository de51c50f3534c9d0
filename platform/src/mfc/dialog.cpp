// CDialog: a modal dialog on its template resource. The dialog initialisation data fills
// the controls before OnInitDialog; IDOK and IDCANCEL reach OnOK and OnCancel.
#include <afxwin.h>

#include "mfc/handlemap.h"

#include <vector>

namespace {

// The 16-bit numbering of the list messages that dialog initialisation data is stored in.
constexpr WORD kDlgInitComboAddString = 0x0403;
constexpr WORD kDlgInitListAddString = 0x0401;
constexpr size_t kDlgInitRecordHead = 8;  // WORD control id, WORD message, DWORD length

WORD ReadWord(const unsigned char* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD ReadDword(const unsigned char* p) { return ReadWord(p) | (static_cast<DWORD>(ReadWord(p + 2)) << 16); }

// Sends each record of the RT_DLGINIT resource to its control: the ANSI text converted with
// the system's code page. Stops at the end marker, or where a record would pass the end.
void ExecuteDlgInit(HWND dialog, UINT templateId) {
    const HINSTANCE module = AfxGetResourceHandle();
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCE(templateId), RT_DLGINIT);
    if (!resource) return;
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, resource)));
    const size_t size = SizeofResource(module, resource);
    size_t pos = 0;
    while (data && size - pos >= 2) {
        const WORD control = ReadWord(data + pos);
        if (control == 0 || size - pos < kDlgInitRecordHead) return;
        const WORD message = ReadWord(data + pos + 2);
        const DWORD length = ReadDword(data + pos + 4);
        pos += kDlgInitRecordHead;
        if (length > size - pos) return;
        const char* text = reinterpret_cast<const char*>(data + pos);
        pos += length;
        UINT sent;
        if (message == kDlgInitComboAddString) sent = CB_ADDSTRING;
        else if (message == kDlgInitListAddString) sent = LB_ADDSTRING;
        else continue;
        // The stored text ends with its zero; a record without one ends at its length.
        int bytes = static_cast<int>(length);
        while (bytes > 0 && text[bytes - 1] == '\0') --bytes;
        std::vector<WCHAR> wide(static_cast<size_t>(bytes) + 1, L'\0');
        if (bytes > 0) MultiByteToWideChar(CP_ACP, 0, text, bytes, wide.data(), bytes);
        SendDlgItemMessageW(dialog, control, sent, 0, reinterpret_cast<LPARAM>(wide.data()));
    }
}

INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->Attach(hWnd);
        ExecuteDlgInit(hWnd, dialog->m_nIDHelp);
        return dialog->OnInitDialog();
    }
    CWnd* wnd = mfc::LookupPermanent(hWnd);
    return wnd ? wnd->WindowProc(message, wParam, lParam) : FALSE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {}

INT_PTR CDialog::DoModal() {
    const HWND parent = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    const INT_PTR result = DialogBoxParamW(AfxGetResourceHandle(), m_lpszTemplateName, parent, DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    mfc::ForgetDestroyedWindows();  // this dialog and its controls are gone
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam)) return TRUE;  // the message map comes first
    if (HIWORD(wParam) != BN_CLICKED) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK: OnOK(); return TRUE;
    case IDCANCEL: OnCancel(); return TRUE;
    default: return FALSE;
    }
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
