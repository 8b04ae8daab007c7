// mmap with a SIGBUS guard, and a read() fallback.
#include "platform/MappedFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
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
            void* page = reinterpret_cast<void*>(address & ~static_cast<std::uintptr_t>(pageSize - 1));
            if (::mmap(page, static_cast<std::size_t>(pageSize), PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1,
                       0) != MAP_FAILED) {
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
    if (mappedSize_) ::munmap(const_cast<char*>(data_), mappedSize_);
    mappedSize_ = 0;
    data_ = nullptr;
    size_ = 0;
    copy_.clear();
    copy_.shrink_to_fit();
    identified_ = false;
}

bool MappedFile::IsSameFile(const std::string& path) const {
    struct stat st;
    return identified_ && ::stat(path.c_str(), &st) == 0 && st.st_dev == device_ && st.st_ino == inode_;
}

bool MappedFile::Truncated() const { return slot_ >= 0 && guarded[slot_].truncated.load(); }

std::string MappedFile::ErrorText() const { return error_ ? std::strerror(error_) : ""; }

bool MappedFile::Open(const std::string& path) {
    Close();
    error_ = 0;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error_ = errno;
        return false;
    }
    struct stat st {};
    // A folder opens for reading on this system, but it is no file to read.
    int statError = ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (statError != 0) {
        error_ = statError;
        ::close(fd);
        return false;
    }
    device_ = st.st_dev;
    inode_ = st.st_ino;
    identified_ = true;
    if (S_ISREG(st.st_mode) && st.st_size > 0) {
        std::call_once(handlerInstalled, InstallHandler);
        for (int i = 0; i < kSlots && slot_ < 0; ++i) {
            std::uintptr_t free = 0;
            if (guarded[i].begin.compare_exchange_strong(free, 1)) slot_ = i;  // claimed
        }
        void* map = slot_ >= 0 ? ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0)
                               : MAP_FAILED;
        if (map != MAP_FAILED) {
            ::madvise(map, static_cast<std::size_t>(st.st_size), MADV_SEQUENTIAL);
            data_ = static_cast<const char*>(map);
            size_ = mappedSize_ = static_cast<std::size_t>(st.st_size);
            guarded[slot_].truncated.store(false);
            guarded[slot_].end.store(reinterpret_cast<std::uintptr_t>(data_) + mappedSize_);
            guarded[slot_].begin.store(reinterpret_cast<std::uintptr_t>(data_));
            ::close(fd);
            return true;
        }
        if (slot_ >= 0) guarded[slot_].begin.store(0);
        slot_ = -1;
    }
    // Not mappable: read it all.
    char chunk[64 * 1024];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error_ = errno;
            ::close(fd);
            copy_.clear();
            return false;
        }
        if (n == 0) break;
        copy_.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    data_ = copy_.data();
    size_ = copy_.size();
    return true;
}

}  // namespace zintor
