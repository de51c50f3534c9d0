// The calling thread's last error code.
#include <windows.h>

static thread_local DWORD lastError = ERROR_SUCCESS;

DWORD WINAPI GetLastError(void) { return lastError; }
void WINAPI SetLastError(DWORD error) { lastError = error; }
