/* Kernel services: errors, time, ticks, synchronisation, files and the module's own path. */
#ifndef CE_WINBASE_H
#define CE_WINBASE_H

#include <windef.h>
#include <string.h>

#define ZeroMemory(dest, length) memset((dest), 0, (length))
#define CopyMemory(dest, src, length) memcpy((dest), (src), (length))

#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_WRITE_FAULT 29
#define ERROR_READ_FAULT 30
#define ERROR_SHARING_VIOLATION 32
#define ERROR_FILE_EXISTS 80
#define ERROR_INVALID_PARAMETER 87
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_ALREADY_EXISTS 183
#define ERROR_PRIVILEGE_NOT_HELD 1314

DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD error);

/* Time: FILETIME counts 100 ns since 1601-01-01; SYSTEMTIME holds calendar fields. */
typedef struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME, *LPFILETIME;
typedef const FILETIME* LPCFILETIME;

typedef struct _SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *LPSYSTEMTIME;
typedef const SYSTEMTIME* LPCSYSTEMTIME;

void WINAPI GetLocalTime(LPSYSTEMTIME time);
BOOL WINAPI SetLocalTime(const SYSTEMTIME* time);
void WINAPI GetSystemTime(LPSYSTEMTIME time);
BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* utc, LPFILETIME local);
BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* local, LPFILETIME utc);
BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime);
BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime);

DWORD WINAPI GetTickCount(void);
void WINAPI Sleep(DWORD milliseconds);

/* Synchronisation. */
typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

#define INFINITE 0xFFFFFFFF
#define WAIT_OBJECT_0 0x00000000
#define WAIT_TIMEOUT 0x00000102
#define WAIT_FAILED 0xFFFFFFFF
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

HANDLE WINAPI CreateEventW(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL WINAPI SetEvent(HANDLE event);
BOOL WINAPI ResetEvent(HANDLE event);
DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL WINAPI CloseHandle(HANDLE handle);
#define CreateEvent CreateEventW

/* Files. */
#define GENERIC_READ 0x80000000
#define GENERIC_WRITE 0x40000000
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_NORMAL 0x00000080

typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;

HANDLE WINAPI CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                          LPSECURITY_ATTRIBUTES attributes, DWORD creationDisposition,
                          DWORD flagsAndAttributes, HANDLE templateFile);
BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped);
BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPOVERLAPPED overlapped);
BOOL WINAPI DeleteFileW(LPCWSTR fileName);
BOOL WINAPI MoveFileW(LPCWSTR existingFileName, LPCWSTR newFileName);
DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName);
#define CreateFile CreateFileW
#define DeleteFile DeleteFileW
#define MoveFile MoveFileW
#define GetModuleFileName GetModuleFileNameW
#define GetModuleHandle GetModuleHandleW

/* Resources linked into the program, in the platform's binary resource formats. */
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_DLGINIT MAKEINTRESOURCE(240)

HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
LPVOID WINAPI LockResource(HGLOBAL resourceData);
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
#define FindResource FindResourceW

/* The program's entry point, called by the platform's start-up code. */
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine, int showCommand);

#endif
