// fork, execve and wait4.
#include "tests/ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace zintor::test {

StartedProgram::StartedProgram(const std::vector<std::string>& args,
                               const std::vector<std::string>& env, const Limits& limits) {
    std::vector<char*> argv, envp;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const std::string out = capture_ / "out", err = capture_ / "err";
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        for (const auto& [resource, value] : limits) {
            rlimit limit{value, value};
            ::setrlimit(resource, &limit);
        }
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
}

ProgramResult StartedProgram::Finish() {
    ProgramResult result;
    int status = 0;
    rusage usage{};
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (::wait4(pid_, &status, WNOHANG, &usage) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            ::wait4(pid_, &status, 0, &usage);
            status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (status != -1)
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.peakKilobytes = usage.ru_maxrss;
    result.out = ReadFile(capture_ / "out");
    result.err = ReadFile(capture_ / "err");
    return result;
}

ProgramResult RunProgram(const std::vector<std::string>& args, const std::vector<std::string>& env,
                         const Limits& limits) {
    return StartedProgram(args, env, limits).Finish();
}

std::string BuiltProgram() { return std::string(ZINTOR_BUILD_DIR) + "/zintor"; }

std::vector<std::string> ProgramEnvironment(const std::string& lang) {
    return {"LANG=" + lang, "PATH=/usr/bin:/bin"};
}

}  // namespace zintor::test
