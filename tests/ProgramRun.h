// Running a program from the tests as a user runs it: its arguments, an environment of its
// own (nothing of the test's), limits set before it starts, and its output, exit status and
// peak memory collected.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/TestSupport.h"

namespace zintor::test {

struct ProgramResult {
    int status = -1;  // the exit status, 128 + the signal that ended it, or -1 when it hung
    std::string out, err;
    long peakKilobytes = 0;
};

// Limits set in the program before it runs (ulimit -f, ulimit -s).
using Limits = std::vector<std::pair<int, rlim_t>>;

// A program started, its output going to files of its own.
class StartedProgram {
  public:
    StartedProgram(const std::vector<std::string>& args, const std::vector<std::string>& env,
                   const Limits& limits = {});
    pid_t Pid() const { return pid_; }
    // Waits for it; one still running after 30 seconds is killed as hung.
    ProgramResult Finish();

  private:
    TempDir capture_;
    pid_t pid_;
};

ProgramResult RunProgram(const std::vector<std::string>& args, const std::vector<std::string>& env,
                         const Limits& limits = {});

// The program of this build, and an environment for it in a language ("C", "ja_JP.UTF-8"):
// LANG and PATH, no display.
std::string BuiltProgram();
std::vector<std::string> ProgramEnvironment(const std::string& lang);

}  // namespace zintor::test
