// A few fixed slots that the signal handler reads without locks or allocations.
#include "platform/TemporaryFiles.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/EndingSignals.h"
#include "platform/FileOps.h"

namespace zintor {
namespace {

// A program writes one file at a time; a few slots leave room to spare.
constexpr int kSlots = 4;
constexpr std::size_t kPathRoom = 4096 + 64;  // the longest path the system opens, and more

enum : int { kFree, kFilling, kInUse };
struct Slot {
    std::atomic<int> state{kFree};
    char path[kPathRoom];
};
Slot slots[kSlots];

// Safe in a signal handler: no locks, no allocations.
void RemoveTemporaryFiles() {
    for (Slot& slot : slots)
        if (slot.state.load() == kInUse) ::unlink(slot.path);
}

void OnEndingSignal(int signal) {
    int saved = errno;
    RemoveTemporaryFiles();
    errno = saved;
    // The handler was reset to the default as it was called: once it returns, the signal
    // raised here ends the program with the usual status.
    ::raise(signal);
}

int RememberTemporaryFile(const std::string& path) {
    if (path.size() >= kPathRoom) return -1;
    for (int i = 0; i < kSlots; ++i) {
        int free = kFree;
        if (!slots[i].state.compare_exchange_strong(free, kFilling)) continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        slots[i].state.store(kInUse);
        return i;
    }
    return -1;
}

}  // namespace

int MakeTemporaryFile(std::string& pattern, int& token) {
    int fd, error;
    {
        EndingSignalsBlocked blocked;
        fd = CurrentFileOps().mkostemp(pattern.data(), O_CLOEXEC);
        error = errno;
        token = fd >= 0 ? RememberTemporaryFile(pattern) : -1;
    }
    errno = error;
    return fd;
}

void ForgetTemporaryFile(int token) {
    if (token >= 0 && token < kSlots) slots[token].state.store(kFree);
}

void RemoveTemporaryFilesOnSignals() { HandleEndingSignals(OnEndingSignal); }

}  // namespace zintor
