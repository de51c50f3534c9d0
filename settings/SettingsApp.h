// The settings program's application: it shows the settings dialog once and ends.
#ifndef HORVANESET_SETTINGSAPP_H
#define HORVANESET_SETTINGSAPP_H

#include <afxwin.h>

class CSettingsApp : public CWinApp {
public:
    CSettingsApp();
    virtual ~CSettingsApp();
    virtual BOOL InitInstance();

    DECLARE_MESSAGE_MAP()
};

extern CSettingsApp theApp;

#endif
