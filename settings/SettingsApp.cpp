// The settings program's application object: InitInstance runs the dialog modally and
// returns FALSE, so the program ends when the dialog closes.
#include "SettingsApp.h"

#include <aygshell.h>

#include "SettingsDlg.h"

CSettingsApp theApp;

CSettingsApp::CSettingsApp()
{
}

CSettingsApp::~CSettingsApp()
{
}

BEGIN_MESSAGE_MAP(CSettingsApp, CWinApp)
END_MESSAGE_MAP()

BOOL CSettingsApp::InitInstance()
{
    SHInitExtraControls();

    CSettingsDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = NULL;  // the dialog object ends here
    return FALSE;
}
