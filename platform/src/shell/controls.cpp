// SHInitExtraControls: the shell's extra window classes. The host's dialogs draw every
// control they know already, so there is nothing to register.
#include <windows.h>
#include <aygshell.h>

BOOL WINAPI SHInitExtraControls(void) { return TRUE; }
