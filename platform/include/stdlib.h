/* The C runtime's stdlib.h with the device runtime's wide-string extras. */
#ifndef CE_STDLIB_H
#define CE_STDLIB_H

#include_next <stdlib.h>
#include <stddef.h>

typedef int errno_t;

long _wtol(const wchar_t* text);
errno_t _wsplitpath_s(const wchar_t* path,
                      wchar_t* drive, size_t driveCount,
                      wchar_t* dir, size_t dirCount,
                      wchar_t* fname, size_t fnameCount,
                      wchar_t* ext, size_t extCount);

#endif
