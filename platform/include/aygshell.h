/* The Windows Mobile shell: extra controls and the shell's special folders. */
#ifndef CE_AYGSHELL_H
#define CE_AYGSHELL_H

#include <windef.h>

#define CSIDL_PROGRAMS 0x0002

BOOL WINAPI SHInitExtraControls(void);
/* Writes the folder's device path (no trailing backslash) into path, which holds MAX_PATH
   characters; create asks for the folder to be made when it is missing. */
BOOL WINAPI SHGetSpecialFolderPath(HWND owner, LPWSTR path, int folder, BOOL create);

#endif
