// An emulated device for program tests.
#include "device.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

std::string BinPath(const std::string& name) { return std::string(HORVANE_BIN_DIR) + "/" + name; }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

EmulatedDevice::EmulatedDevice() {
    char tmpl[] = "/tmp/cedevice_XXXXXX";  // no hyphen: a path here must hold no option marker
    if (!::mkdtemp(tmpl)) throw std::runtime_error("mkdtemp failed");
    dir_ = tmpl;
    std::filesystem::create_directories(ProgramsDir());
    journal_ = dir_ + "/journal.jsonl";
}

EmulatedDevice::~EmulatedDevice() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

RunningProgram EmulatedDevice::Start(const std::string& program, const std::vector<std::string>& args,
                                     const std::string& input) {
    return Launch(program, args, &input);
}

RunningProgram EmulatedDevice::StartInteractive(const std::string& program, const std::vector<std::string>& args) {
    return Launch(program, args, nullptr);
}

RunningProgram EmulatedDevice::Launch(const std::string& program, const std::vector<std::string>& args,
                                      const std::string* input) {
    const int n = ++runs_;
    const std::string inPath = dir_ + "/run" + std::to_string(n) + ".in";
    const std::string outPath = dir_ + "/run" + std::to_string(n) + ".out";
    const std::string errPath = dir_ + "/run" + std::to_string(n) + ".err";
    int pipeFds[2] = {-1, -1};
    if (input) WriteFile(inPath, *input);
    else if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    std::signal(SIGPIPE, SIG_IGN);  // a program that ended early must not end the test
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::setenv("CE_DEVICE_DIR", dir_.c_str(), 1);
        ::setenv("CE_JOURNAL", journal_.c_str(), 1);
        for (const auto& [key, value] : env) ::setenv(key.c_str(), value.c_str(), 1);
        // Programs run in their own process group so that a time-out can end all of them.
        ::setpgid(0, 0);
        const int in = input ? ::open(inPath.c_str(), O_RDONLY) : pipeFds[0];
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        std::fprintf(stderr, "exec %s: %s\n", program.c_str(), std::strerror(errno));
        ::_exit(127);
    }
    if (pipeFds[0] >= 0) ::close(pipeFds[0]);
    return RunningProgram(pid, outPath, errPath, pipeFds[1]);
}

RunResult EmulatedDevice::Run(const std::string& program, const std::vector<std::string>& args,
                              const std::string& input, int timeoutMs) {
    return Start(program, args, input).Wait(timeoutMs);
}

std::vector<Json> EmulatedDevice::Journal(const std::string& api) const {
    std::vector<Json> entries;
    std::istringstream in(ReadFile(journal_));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        Json entry = Json::Parse(line);
        if (api.empty() || entry["api"].string == api) entries.push_back(entry);
    }
    return entries;
}

void EmulatedDevice::SetClockOffsetMs(long long offset) { WriteFile(dir_ + "/clock", std::to_string(offset) + "\n"); }

long long EmulatedDevice::ClockOffsetMs() const {
    const std::string text = ReadFile(dir_ + "/clock");
    return text.empty() ? 0 : std::stoll(text);
}

RunningProgram::RunningProgram(pid_t pid, std::string outPath, std::string errPath, int inputFd)
    : pid_(pid), outPath_(std::move(outPath)), errPath_(std::move(errPath)), inputFd_(inputFd) {}

RunningProgram::RunningProgram(RunningProgram&& other) noexcept
    : pid_(other.pid_), outPath_(std::move(other.outPath_)), errPath_(std::move(other.errPath_)),
      inputFd_(other.inputFd_) {
    other.pid_ = -1;
    other.inputFd_ = -1;
}

void RunningProgram::Send(const std::string& lines) {
    if (inputFd_ < 0) return;
    const ssize_t unused = ::write(inputFd_, lines.data(), lines.size());
    (void)unused;
}

void RunningProgram::CloseInput() {
    if (inputFd_ >= 0) ::close(inputFd_);
    inputFd_ = -1;
}

RunningProgram::~RunningProgram() {
    CloseInput();
    if (pid_ > 0) {
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

RunResult RunningProgram::Wait(int timeoutMs) {
    RunResult result;
    CloseInput();
    if (pid_ <= 0) return result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    for (;;) {
        const pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == pid_) break;
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(-pid_, SIGKILL);
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pid_ = -1;
    if (status == -1) result.status = -1;
    else if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    else if (WIFSIGNALED(status)) result.status = 128 + WTERMSIG(status);
    result.out = ReadFile(outPath_);
    result.err = ReadFile(errPath_);
    return result;
}

}  // namespace testsupport
