// File-system calls that fail on purpose: a folder that refuses new files, a disk that fills
// up after so many bytes, writes cut short or interrupted, a close or rename that fails. The
// plan is installed for as long as a ScopedFaults lives; every call the plan does not break
// goes to the real system call.
#pragma once

#include <cerrno>
#include <cstddef>
#include <string>

#include "platform/FileOps.h"

namespace zintor::test {

struct FaultPlan {
    int createError = 0;        // every new file fails with this errno
    long writeFailsAfter = -1;  // bytes written before writes fail with writeError
    int writeError = ENOSPC;
    bool writeReturnsZero = false;     // at the limit, write returns 0 instead of failing
    std::size_t shortWrite = 0;        // each write takes at most this many bytes (0: all)
    bool interruptEveryOther = false;  // every other write fails with EINTR first
    int fsyncError = 0;
    int closeError = 0;  // the descriptor is closed all the same, as the system does
    int renameError = 0;

    // What happened, for the test to see that the fault was reached.
    long bytesWritten = 0;
    int faultsTriggered = 0;
};

class ScopedFaults {
  public:
    explicit ScopedFaults(const FaultPlan& plan);
    ~ScopedFaults();
    ScopedFaults(const ScopedFaults&) = delete;
    ScopedFaults& operator=(const ScopedFaults&) = delete;

    const FaultPlan& plan() const;

  private:
    ScopedFileOps ops_;
};

// The names in a folder that look like the writer's temporary files (".zintor-XXXXXX").
int CountTemporaryFiles(const std::string& folder);

}  // namespace zintor::test
