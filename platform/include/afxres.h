/* Resource script definitions of the application class library. */
#ifndef CE_AFXRES_H
#define CE_AFXRES_H

#include <windows.h>

#define IDC_STATIC (-1)

#endif
