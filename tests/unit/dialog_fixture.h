// A small dialog built as template bytes for the window and class library tests, the
// dialog initialisation data for its list, and a way to run a scenario in a child process
// (this test program started again) with an input script on its standard input.
#pragma once

#include "device.h"

#include <windows.h>

#include <string>
#include <vector>

namespace dialogtest {

// Ids of the sample dialog's controls, in template (and tab) order:
// host edit, static label, digits-only edit (class given by name), check box, disabled
// check box, drop-down list.
enum {
    kHostEdit = 1000,
    kLabel = 200,
    kPortEdit = 1001,
    kCheck = 1002,
    kDisabledCheck = 1003,
    kList = 1005,
    kSampleDialogId = 300,
};

// The sample dialog: caption "試験", WS_CAPTION|DS_SETFONT, font 9 "MS UI Gothic".
std::vector<unsigned char> SampleDialogTemplate();
// Dialog initialisation data adding "プラス" and "マイナス" (code page 932) to kList.
std::vector<unsigned char> SampleDlgInit();

// Registers the sample dialog (RT_DIALOG) and its initialisation data (RT_DLGINIT) under
// kSampleDialogId in this process.
void RegisterSampleResources();

// Runs this test program as a child on the device; it performs the scenario registered
// under that name with the script on its standard input and exits.
testsupport::RunResult RunScenario(testsupport::EmulatedDevice& device, const std::string& scenario,
                                   const std::string& script);
// Registers a scenario; returns true so that it can initialise a static.
bool AddScenario(const char* name, void (*run)());

}  // namespace dialogtest
