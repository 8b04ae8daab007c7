// mmap with a SIGBUS guard.
#include "platform/MappedFile.h"

#include <algorithm>

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace zintor {
namespace {

// The mappings the SIGBUS handler may repair. A handful is plenty: a program maps one log
// at a time.
constexpr int kSlots = 8;
struct GuardedRange {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> truncated{false};
};
GuardedRange guarded[kSlots];
struct sigaction previousAction;
std::once_flag handlerInstalled;

// Replaces the page that faulted with a page of zeros when it belongs to a guarded mapping
// (the file behind it has shrunk); any other SIGBUS goes on as it would have.
void OnBusError(int signal, siginfo_t* info, void* context) {
    auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (GuardedRange& range : guarded) {
        if (address >= range.begin.load() && address < range.end.load()) {
            long pageSize = ::sysconf(_SC_PAGESIZE);
            void* page =
                reinterpret_cast<void*>(address & ~static_cast<std::uintptr_t>(pageSize - 1));
            if (::mmap(page, static_cast<std::size_t>(pageSize), PROT_READ,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
                range.truncated.store(true);
                return;
            }
        }
    }
    if (previousAction.sa_flags & SA_SIGINFO) {
        if (previousAction.sa_sigaction) {
            previousAction.sa_sigaction(signal, info, context);
            return;
        }
    } else if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN) {
        previousAction.sa_handler(signal);
        return;
    }
    ::signal(SIGBUS, SIG_DFL);
    ::raise(SIGBUS);
}

void InstallHandler() {
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &previousAction);
}

}  // namespace

MappedFile::~MappedFile() { Close(); }

void MappedFile::Close() {
    if (slot_ >= 0) {
        guarded[slot_].begin.store(0);
        guarded[slot_].end.store(0);
        guarded[slot_].truncated.store(false);
        slot_ = -1;
    }
    if (data_) ::munmap(const_cast<char*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
}

bool MappedFile::Truncated() const { return slot_ >= 0 && guarded[slot_].truncated.load(); }

bool MappedFile::Map(int fd, std::size_t size) {
    Close();
    if (size == 0) return false;
    std::call_once(handlerInstalled, InstallHandler);
    for (int i = 0; i < kSlots && slot_ < 0; ++i) {
        std::uintptr_t free = 0;
        if (guarded[i].begin.compare_exchange_strong(free, 1)) slot_ = i;  // claimed
    }
    if (slot_ < 0) return false;
    void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (map == MAP_FAILED) {
        guarded[slot_].begin.store(0);
        slot_ = -1;
        return false;
    }
    ::madvise(map, size, MADV_SEQUENTIAL);
    data_ = static_cast<const char*>(map);
    size_ = size;
    guarded[slot_].truncated.store(false);
    guarded[slot_].end.store(reinterpret_cast<std::uintptr_t>(data_) + size_);
    guarded[slot_].begin.store(reinterpret_cast<std::uintptr_t>(data_));
    return true;
}

void MappedFile::Release(std::size_t offset) {
    static const auto pageSize = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    std::size_t bytes = std::min(offset, size_) / pageSize * pageSize;
    if (data_ && bytes > 0) ::madvise(const_cast<char*>(data_), bytes, MADV_DONTNEED);
}

void MappedFile::Prepare(std::size_t offset, std::size_t length) {
#ifdef MADV_POPULATE_READ
    static const auto pageSize = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    if (!data_ || offset >= size_) return;
    std::size_t start = offset / pageSize * pageSize;
    std::size_t stop = std::min(size_, offset + length);
    ::madvise(const_cast<char*>(data_) + start, stop - start, MADV_POPULATE_READ);
#else
    (void)offset;
    (void)length;
#endif
}

}  // namespace zintor
