// CWinApp, the one application object, and the library's WinMain that runs it; the global
// accessors and AfxMessageBox.
#include <afxwin.h>

#include <cwchar>

namespace {

CWinApp* theApplication = nullptr;
LPTSTR ownedAppName = nullptr;  // the title's copy that the library made

// The program file's name without folder and extension.
LPTSTR NameOfProgramFile() {
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const WCHAR* name = path;
    for (const WCHAR* p = path; *p; ++p)
        if (*p == L'\\' || *p == L'/') name = p + 1;
    size_t length = std::wcslen(name);
    if (const WCHAR* dot = std::wcsrchr(name, L'.')) length = static_cast<size_t>(dot - name);
    WCHAR* copy = new WCHAR[length + 1]();
    std::wmemcpy(copy, name, length);
    return copy;
}

LPTSTR CopyText(LPCTSTR text) {
    WCHAR* copy = new WCHAR[std::wcslen(text) + 1]();
    std::wcscpy(copy, text);
    return copy;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pMainWnd(nullptr), m_pszAppName(nullptr), m_hInstance(nullptr), m_lpCmdLine(nullptr), m_nCmdShow(0) {
    if (lpszAppName) m_pszAppName = ownedAppName = CopyText(lpszAppName);
    theApplication = this;
}

CWinApp::~CWinApp() {
    if (theApplication != this) return;
    delete[] ownedAppName;
    ownedAppName = nullptr;
    theApplication = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

// A dialog program ends when InitInstance returns; there is no message loop to run.
int CWinApp::Run() { return ExitInstance(); }

int CWinApp::ExitInstance() { return 0; }

HICON CWinApp::LoadIconW(UINT nIDResource) const {
    return ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadIconW(LPCTSTR lpszResourceName) const {
    return ::LoadIconW(AfxGetResourceHandle(), lpszResourceName);
}

CWinApp* AfxGetApp() { return theApplication; }

CWnd* AfxGetMainWnd() { return theApplication ? theApplication->m_pMainWnd : nullptr; }

HINSTANCE AfxGetInstanceHandle() {
    return theApplication && theApplication->m_hInstance ? theApplication->m_hInstance : GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
    (void)nIDHelp;
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL: nType |= MB_ICONEXCLAMATION; break;
        case MB_YESNO:
        case MB_YESNOCANCEL: nType |= MB_ICONQUESTION; break;
        default: break;
        }
    }
    CWnd* main = AfxGetMainWnd();
    const HWND owner = main ? main->GetSafeHwnd() : nullptr;
    const LPCTSTR caption = theApplication ? theApplication->m_pszAppName : nullptr;
    return MessageBoxW(owner, lpszText, caption, nType | MB_SETFOREGROUND);
}

// The program's entry point: runs the application object's InitInstance.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine, int showCommand) {
    (void)previousInstance;
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine;
    app->m_nCmdShow = showCommand;
    if (!app->m_pszAppName) app->m_pszAppName = ownedAppName = NameOfProgramFile();
    return app->InitInstance() ? app->Run() : app->ExitInstance();
}
