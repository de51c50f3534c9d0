// The settings dialog: four texts and two check boxes for the agent's options, and the sign
// of the offset; loaded from the agent's shortcut when it opens, saved to it on OK.
#ifndef HORVANESET_SETTINGSDLG_H
#define HORVANESET_SETTINGSDLG_H

#include <afxwin.h>

class CSettingsDlg : public CDialog {
public:
    explicit CSettingsDlg(CWnd* pParent = NULL);
    virtual ~CSettingsDlg();

    HICON m_hIcon;
    CString m_hostText;
    CString m_portText;
    CString m_offsetText;
    CButton m_btnSilent;
    CButton m_btnKeepConnection;
    CComboBox m_cmbOffsetSign;
    CString m_delayText;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    DECLARE_MESSAGE_MAP()
};

#endif
