// The settings dialog: data exchange, initialisation with the shortcut's values, and OK,
// which asks before it saves. Cancel is left to CDialog: it closes without a question.
#include "SettingsDlg.h"

#include "OptionString.h"
#include "Shortcut.h"
#include "res/resource.h"

#define SIGN_PLUS_INDEX 0

CSettingsDlg::CSettingsDlg(CWnd* pParent)
    : CDialog(IDD_SETTINGS, pParent)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

CSettingsDlg::~CSettingsDlg()
{
}

BEGIN_MESSAGE_MAP(CSettingsDlg, CDialog)
END_MESSAGE_MAP()

void CSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_HOST, m_hostText);
    DDX_Text(pDX, IDC_PORT, m_portText);
    DDX_Text(pDX, IDC_OFFSET, m_offsetText);
    DDX_Control(pDX, IDC_SILENT, m_btnSilent);
    DDX_Control(pDX, IDC_KEEP_CONNECTION, m_btnKeepConnection);
    DDX_Control(pDX, IDC_OFFSET_SIGN, m_cmbOffsetSign);
    DDX_Text(pDX, IDC_DELAY, m_delayText);
}

BOOL CSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    UpdateData(FALSE);
    m_cmbOffsetSign.SetCurSel(SIGN_PLUS_INDEX);

    // Typing stops at the longest value that the readers of the option string take.
    GetDlgItem(IDC_HOST)->SendMessage(EM_LIMITTEXT, HOST_VALUE_LIMIT, 0);
    GetDlgItem(IDC_PORT)->SendMessage(EM_LIMITTEXT, PORT_VALUE_LIMIT, 0);
    GetDlgItem(IDC_OFFSET)->SendMessage(EM_LIMITTEXT, OFFSET_VALUE_LIMIT, 0);
    GetDlgItem(IDC_DELAY)->SendMessage(EM_LIMITTEXT, DELAY_VALUE_LIMIT, 0);

    LoadShortcutSettings(*this);
    UpdateData(FALSE);
    return TRUE;  // the focus goes to the first control with a tab stop, the host edit
}

// Whatever the answer and whether the save worked, the dialog closes: the question does not
// lead back to editing.
void CSettingsDlg::OnOK()
{
    if (AfxMessageBox(L"ショートカットを更新しますか？", MB_YESNO | MB_DEFBUTTON2) == IDYES) {
        UpdateData(TRUE);
        SaveShortcutSettings(*this);
    }
    CDialog::OnOK();
}
