// Platform behaviours that depend on the environment a process starts with (device folder,
// TZ, CE_TICK_START, CE_FAIL) or that span processes are tested in children: this test
// program started again on an emulated device, doing a list of platform operations.
#pragma once

#include "device.h"

#include <string>
#include <vector>

namespace platformtest {

// Operations, each printing one word (results separated by blanks):
//   create NAME | create-manual NAME   CreateEventW; prints GetLastError (0 or 183)
//   set | reset                        on the last created event; prints the BOOL
//   wait MS                            WaitForSingleObject; prints the result
//   took                               milliseconds the last wait took
//   ready FILE | await FILE            make / wait for a marker file in the device folder
//   hold                               block until killed
//   ticks | sleep MS                   GetTickCount; Sleep (prints nothing)
//   setlocal YYYY-MM-DDTHH:MM:SS.mmm   SetLocalTime; prints 1, or 0:GetLastError
//   getlocal | getsystem               GetLocalTime / GetSystemTime as YYYY-MM-DDTHH:MM:SS.mmm
//   tolocal N | toutc N                FileTimeToLocalFileTime / LocalFileTimeToFileTime of N
//   find TITLE                         FindWindowW; prints 1 or 0
//   close TITLE                        FindWindowW, retried for up to 10 s, then
//                                      PostMessageW(WM_CLOSE); prints the BOOL
testsupport::RunningProgram StartChild(testsupport::EmulatedDevice& device, const std::vector<std::string>& operations);
std::string RunChild(testsupport::EmulatedDevice& device, const std::vector<std::string>& operations);

// Waits up to 20 s for a marker file made by a child's `ready`.
bool AwaitMarker(const testsupport::EmulatedDevice& device, const std::string& name);

}  // namespace platformtest
