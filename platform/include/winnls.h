/* Code pages: conversions between UTF-16 texts and the ANSI code page. */
#ifndef CE_WINNLS_H
#define CE_WINNLS_H

#include <windef.h>

#define CP_ACP 0
#define CP_UTF8 65001

UINT WINAPI GetACP(void);
int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByte, int multiByteCount,
                               LPWSTR wide, int wideCount);
int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount,
                               LPSTR multiByte, int multiByteCount, LPCSTR defaultChar,
                               LPBOOL usedDefaultChar);

#endif
