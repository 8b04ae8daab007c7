// stat before opening (a device is never even opened), fstat after (the file opened is the
// one that was looked at).
#include "platform/RegularFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zintor {

std::string OpenErrorText(int error) {
    return error == kNotARegularFile ? "not a regular file" : std::strerror(error);
}

int OpenRegularFile(const std::string& path, int& error, struct stat* info) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        error = errno;
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        error = kNotARegularFile;
        return -1;
    }
    // Without O_NONBLOCK a FIFO put in the file's place since the stat would hold the open
    // until some program writes to it.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    error = ::fstat(fd, &st) != 0 ? errno : S_ISREG(st.st_mode) ? 0 : kNotARegularFile;
    if (error != 0) {
        ::close(fd);
        return -1;
    }
    if (info) *info = st;
    return fd;
}

bool IsRegularFile(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace zintor
