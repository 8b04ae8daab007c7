// flock on the folder itself: no lock file is left beside the settings, the lock goes with
// the process when it ends however it ends, and a file renamed over inside the folder does
// not take the lock with it as it would with a lock on the file.
#include "platform/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "platform/PathParts.h"

namespace zintor {

FolderLock::FolderLock(const std::string& path) {
    std::string folder = FolderOf(path);
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The lock is held only while a file of a few hundred bytes is rewritten; polling keeps
    // a lock someone else never gives back from stopping us.
    const timespec pause{0, 2'000'000};  // 2 ms
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        ::nanosleep(&pause, nullptr);
    }
    ::close(fd);
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace zintor
