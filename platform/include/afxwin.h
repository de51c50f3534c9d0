/* The platform's application class library for dialog programs: application object,
   modal dialogs from a template, data exchange, control wrappers, message boxes, CString.
   C++03: included by device code. */
#ifndef CE_AFXWIN_H
#define CE_AFXWIN_H

#include <windows.h>

class CWnd;
class CWinApp;
class CDataExchange;

/* A growable wide text. */
class CString {
public:
    CString();
    CString(const CString& other);
    CString(LPCTSTR text);
    ~CString();
    CString& operator=(const CString& other);
    CString& operator=(LPCTSTR text);
    CString& operator+=(const CString& other);
    CString& operator+=(LPCTSTR text);
    CString& operator+=(TCHAR ch);
    int GetLength() const;
    BOOL IsEmpty() const;
    void Empty();
    /* A buffer of at least minLength characters plus the terminating zero; ReleaseBuffer
       takes the new length (or measures up to the zero when given -1). */
    LPTSTR GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);
    operator LPCTSTR() const;

private:
    void Assign(LPCTSTR text, int length);
    void Append(LPCTSTR text, int length);
    void Reserve(int capacity);
    TCHAR* m_pchData;
    int m_nLength;
    int m_nCapacity;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCTSTR b);
bool operator==(LPCTSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCTSTR b);
bool operator!=(LPCTSTR a, const CString& b);
CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCTSTR b);
CString operator+(LPCTSTR a, const CString& b);

class CObject {
public:
    virtual ~CObject();

protected:
    CObject();

private:
    CObject(const CObject&);
    CObject& operator=(const CObject&);
};

/* Message maps: each class that declares one has a table of entries; the table of a class
   without entries of its own holds only the end marker and leads to its base class's. */
class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)(void);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

enum AfxSig { AfxSig_end = 0, AfxSig_vv = 1 };

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const AFX_MSGMAP* GetThisMessageMap();      \
    virtual const AFX_MSGMAP* GetMessageMap() const;   \
                                                       \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                              \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }       \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                       \
        typedef theClass ThisClass;                                                         \
        typedef baseClass TheBaseClass;                                                     \
        (void)sizeof(ThisClass);                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

/* A command handler: void memberFxn() called for WM_COMMAND with the control id. */
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0, (WORD)(id), (WORD)(id), AfxSig_vv, static_cast<AFX_PMSG>(&ThisClass::memberFxn)},

#define END_MESSAGE_MAP()                                                                   \
            {0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}                                           \
        };                                                                                  \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                                 \
    }

class CCmdTarget : public CObject {
public:
    CCmdTarget();
    virtual ~CCmdTarget();
    /* Runs the message-map handler for a command id; FALSE when no map has one. */
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

/* Dialog data exchange: which way the values go, and the dialog they belong to. */
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND PrepareCtrl(int nIDC);
};

/* A window object attached to a window handle. */
class CWnd : public CCmdTarget {
public:
    CWnd();
    virtual ~CWnd();

    HWND m_hWnd;
    HWND GetSafeHwnd() const;
    operator HWND() const;

    /* The object attached to a window; a temporary one, kept until the window goes away,
       when no object is attached. NULL for NULL. */
    static CWnd* FromHandle(HWND hWnd);
    BOOL Attach(HWND hWnd);
    HWND Detach();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    CWnd* GetDlgItem(int nID) const;
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    CWnd* SetFocus();
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

    /* Messages that reach the object; OnCommand leads commands to the message map. */
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    DECLARE_MESSAGE_MAP()
};

class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int nCheck);
};

class CComboBox : public CWnd {
public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int AddString(LPCTSTR lpszString);
    int GetLBText(int nIndex, LPTSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
};

class CEdit : public CWnd {
public:
    void LimitText(int nChars = 0);
};

class CStatic : public CWnd {};

/* A modal dialog on the template resource nIDTemplate. IDOK reaches OnOK and IDCANCEL
   OnCancel; the dialog initialisation data (RT_DLGINIT with the template's id) fills the
   controls before OnInitDialog runs. */
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual ~CDialog();
    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog();
    void EndDialog(int nResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    UINT m_nIDHelp;
    LPCTSTR m_lpszTemplateName;
    CWnd* m_pParentWnd;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    DECLARE_MESSAGE_MAP()
};

/* The application: one global object per program. The library's WinMain calls its
   InitInstance; when that returns FALSE the program ends with exit status 0. */
class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;

    CWnd* m_pMainWnd;
    /* The application title: the name given to the constructor, else the program file's
       name without folder and extension. */
    LPCTSTR m_pszAppName;
    HINSTANCE m_hInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

/* A message box owned by the main window, captioned with the application title and brought
   to the foreground; without an icon, Yes/No boxes get the question icon and OK boxes the
   exclamation icon. */
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

#endif
