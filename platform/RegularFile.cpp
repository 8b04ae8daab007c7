// stat before opening (a device is never even opened), fstat after (the file opened is the
// one that was looked at); reads that a signal interrupts are made again.
#include "platform/RegularFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zintor {

Failure OpenRegularFile(const std::string& path, int& fd, struct stat* info) {
    fd = -1;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return {Failure::kRead, path, errno};
    if (!S_ISREG(st.st_mode)) return {Failure::kRead, path, Failure::kNotARegularFile};
    // Without O_NONBLOCK a FIFO put in the file's place since the stat would hold the open
    // until some program writes to it.
    int opened = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (opened < 0) return {Failure::kRead, path, errno};
    int error = ::fstat(opened, &st) != 0 ? errno
                : S_ISREG(st.st_mode)     ? 0
                                          : Failure::kNotARegularFile;
    if (error != 0) {
        ::close(opened);
        return {Failure::kRead, path, error};
    }
    if (info) *info = st;
    fd = opened;
    return {};
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
    ssize_t n;
    do {
        n = ::read(fd, buffer, size);
    } while (n < 0 && errno == EINTR);
    return n;
}

bool SkipHole(int fd, off_t& offset) {
    off_t data = ::lseek(fd, offset, SEEK_DATA);
    if (data >= 0) offset = data;
    return data >= 0 || errno != ENXIO;
}

Failure ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    int fd;
    struct stat st;
    if (Failure failure = OpenRegularFile(path, fd, &st)) return failure;
    constexpr std::size_t kReadSize = 16 * 1024;
    int error = static_cast<std::size_t>(st.st_size) > maxBytes ? EFBIG : 0;
    while (error == 0) {
        std::size_t have = bytes.size();
        if (have > maxBytes) {
            error = EFBIG;
            break;
        }
        bytes.resize(have + kReadSize);
        ssize_t n = ReadSome(fd, bytes.data() + have, kReadSize);
        bytes.resize(have + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        if (n < 0) error = errno;
        if (n <= 0) break;
    }
    ::close(fd);
    if (error == 0) return {};
    bytes.clear();
    return {Failure::kRead, path, error};
}

bool IsRegularFile(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace zintor
