/* The platform's master header: base types, kernel services, code pages and windows. */
#ifndef CE_WINDOWS_H
#define CE_WINDOWS_H

#include <windef.h>
#include <winbase.h>
#include <winnls.h>
#include <winuser.h>

#endif
