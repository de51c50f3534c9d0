// Resource ids of HorvaneSet: the settings dialog, its controls and the program icon.
#ifndef HORVANESET_RESOURCE_H
#define HORVANESET_RESOURCE_H

#define IDD_SETTINGS 102
#define IDR_MAINFRAME 128

#define IDC_HOST_LABEL 200
#define IDC_PORT_LABEL 201
#define IDC_OFFSET_LABEL 202
#define IDC_OFFSET_UNIT 203
#define IDC_DELAY_LABEL 204
#define IDC_DELAY_UNIT 205

#define IDC_HOST 1000
#define IDC_PORT 1001
#define IDC_SILENT 1002
#define IDC_KEEP_CONNECTION 1003
#define IDC_OFFSET 1004
#define IDC_OFFSET_SIGN 1005
#define IDC_DELAY 1006

#endif
