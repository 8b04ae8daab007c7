// The folder's lock.
#include "record/RecorderLock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>

namespace zintor {
namespace {

// The process id the holder wrote into the lock file; 0 when there is none yet.
pid_t HolderOf(int fd) {
    char text[32];
    ssize_t n = pread(fd, text, sizeof text, 0);
    pid_t pid = 0;
    if (n > 0) std::from_chars(text, text + n, pid);
    return pid > 0 ? pid : 0;
}

}  // namespace

LockResult LockFolder(const std::string& folder) {
    LockResult result;
    std::string path = folder + "/.zintor-record.lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        result.why = path + ": " + std::strerror(errno);
        return result;
    }
    // A lock of the open file description: not lost when any other descriptor of the same
    // file is closed in this process, as a process's record lock would be.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        int error = errno;
        result.held = error == EAGAIN || error == EACCES;
        if (result.held) result.holder = HolderOf(fd);
        result.why = path + ": " + std::strerror(error);
        close(fd);
        return result;
    }
    // The id in the file is for people and for a second recorder's message; the lock itself
    // is what keeps the folder to one recorder, so a failed write of it changes nothing.
    std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(fd, 0) == 0) (void)!pwrite(fd, pid.data(), pid.size(), 0);
    result.fd = fd;
    return result;
}

}  // namespace zintor
