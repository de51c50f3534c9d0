// An emulated device for program tests: its own device folder and journal, and the built
// programs run on it through the host contract (environment, standard input, exit status).
#pragma once

#include "json.h"

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

// The built program NAME in the build's bin folder.
std::string BinPath(const std::string& name);

struct RunResult {
    int status = -1;     // exit status; 128 + signal when killed by one
    std::string out;     // standard output
    std::string err;     // standard error
};

class EmulatedDevice;

// A program started in the background on a device.
class RunningProgram {
public:
    RunningProgram(RunningProgram&& other) noexcept;
    ~RunningProgram();  // kills and reaps the program when it still runs
    // Waits up to timeoutMs for the program to end; on time-out it is killed (status -1).
    RunResult Wait(int timeoutMs = 60000);
    pid_t Pid() const { return pid_; }
    // With an open input (StartInteractive): more script lines, and the end of the script.
    void Send(const std::string& lines);
    void CloseInput();
private:
    friend class EmulatedDevice;
    RunningProgram(pid_t pid, std::string outPath, std::string errPath, int inputFd);
    pid_t pid_;
    std::string outPath_, errPath_;
    int inputFd_;
};

class EmulatedDevice {
public:
    EmulatedDevice();
    ~EmulatedDevice();
    EmulatedDevice(const EmulatedDevice&) = delete;
    EmulatedDevice& operator=(const EmulatedDevice&) = delete;

    const std::string& Dir() const { return dir_; }
    std::string ProgramsDir() const { return dir_ + "/Windows/Start Menu/Programs"; }

    // Environment for every program run on this device (CE_FAIL, CE_CONNMGR, TZ, ...).
    std::map<std::string, std::string> env;

    RunResult Run(const std::string& program, const std::vector<std::string>& args,
                  const std::string& input = "", int timeoutMs = 60000);
    RunningProgram Start(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input = "");
    // Starts with standard input as a pipe that stays open until CloseInput() or Wait().
    RunningProgram StartInteractive(const std::string& program, const std::vector<std::string>& args);

    // The journal's entries, all of them or those of one api.
    std::vector<Json> Journal(const std::string& api = "") const;

    // The device clock's offset from the host's UTC clock, in milliseconds.
    void SetClockOffsetMs(long long offset);
    long long ClockOffsetMs() const;

private:
    RunningProgram Launch(const std::string& program, const std::vector<std::string>& args,
                          const std::string* input);
    std::string dir_;
    std::string journal_;
    int runs_ = 0;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace testsupport
