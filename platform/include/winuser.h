/* Windows, messages and message boxes. */
#ifndef CE_WINUSER_H
#define CE_WINUSER_H

#include <windef.h>

#define WM_NULL 0x0000
#define WM_CLOSE 0x0010
#define WM_SETICON 0x0080
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111

#define ICON_SMALL 0
#define ICON_BIG 1

#define MB_OK 0x00000000
#define MB_OKCANCEL 0x00000001
#define MB_YESNO 0x00000004
#define MB_ICONQUESTION 0x00000020
#define MB_ICONEXCLAMATION 0x00000030
#define MB_ICONINFORMATION 0x00000040
#define MB_DEFBUTTON1 0x00000000
#define MB_DEFBUTTON2 0x00000100
#define MB_SETFOREGROUND 0x00010000

#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name);
#define LoadIcon LoadIconW

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
HWND WINAPI FindWindowW(LPCWSTR className, LPCWSTR windowName);
BOOL WINAPI PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
#define MessageBox MessageBoxW
#define FindWindow FindWindowW
#define PostMessage PostMessageW
#define SendMessage SendMessageW

#endif
