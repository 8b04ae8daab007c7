// Temporary file, full writes, rename into place.
#include "platform/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/FileOps.h"
#include "platform/PathParts.h"
#include "platform/TemporaryFiles.h"

namespace zintor {
namespace {

// The process's file-creation mask, which only /proc tells without changing it (022 when it
// cannot be read).
mode_t ProcessUmask() {
    unsigned mask = 022;
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, status) &&
               std::sscanf(line, "Umask: %o", &mask) != 1) {
        }
        std::fclose(status);
    }
    return static_cast<mode_t>(mask);
}

// The user running the program may not write to the file. The superuser may write to any
// file, so for them a file counts as read-only when nobody is given write permission.
bool IsReadOnlyFor(const std::string& path, const struct stat& st) {
    if (::geteuid() == 0) return (st.st_mode & 0222) == 0;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

Failure AtomicFileWriter::Fail(Failure::What what, const std::string& path, int error) {
    Abandon();
    return {what, path, error};
}

Failure AtomicFileWriter::Open(const std::string& path) {
    Abandon();
    path_ = path;
    struct stat existing;
    // A link is looked at, not followed: it is replaced like a file that is not there.
    bool exists = ::lstat(path.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode);
    if (exists && S_ISDIR(existing.st_mode)) return Fail(Failure::kWrite, path, EISDIR);
    if (exists && IsReadOnlyFor(path, existing)) return Fail(Failure::kReplace, path, EACCES);
    // A short name, so that the temporary path fits wherever the page path fits.
    std::string temp = FolderOf(path) + ".zintor-XXXXXX";
    fd_ = MakeTemporaryFile(temp, tempToken_);
    if (fd_ < 0) return Fail(Failure::kCreateBeside, path, errno);
    tempPath_ = std::move(temp);
    // A new file may be read and written as the umask allows. A replaced file of the user's
    // own keeps who may read, write and run it, and nothing more: a page someone made
    // set-user-ID must not come out of a root run as a set-user-ID file of root's. Another
    // user's file passes nothing on: its mode 0666 would let that user rewrite our file.
    bool ours = exists && existing.st_uid == ::geteuid();
    (void)::fchmod(fd_, ours ? existing.st_mode & 0777 : 0666 & ~ProcessUmask());
    return {};
}

Failure AtomicFileWriter::Write(std::string_view bytes) {
    if (fd_ < 0) return {Failure::kWrite, path_, EBADF};
    const FileOps& ops = CurrentFileOps();
    while (!bytes.empty()) {
        ssize_t n = ops.write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return Fail(Failure::kWrite, path_, errno);
        }
        if (n == 0) return Fail(Failure::kWrite, path_, ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

Failure AtomicFileWriter::Commit(bool durable) {
    if (fd_ < 0) return {Failure::kWrite, path_, EBADF};
    const FileOps& ops = CurrentFileOps();
    if (stamped_) {
        const struct timespec times[2] = {{0, UTIME_OMIT}, stamp_};
        if (::futimens(fd_, times) != 0) return Fail(Failure::kWrite, path_, errno);
    }
    if (durable && ops.fsync(fd_) != 0) return Fail(Failure::kWrite, path_, errno);
    int fd = fd_;
    fd_ = -1;
    if (ops.close(fd) != 0) return Fail(Failure::kWrite, path_, errno);
    if (ops.rename(tempPath_.c_str(), path_.c_str()) != 0)
        return Fail(Failure::kReplace, path_, errno);
    tempPath_.clear();
    ForgetTemporaryFile(tempToken_);
    tempToken_ = -1;
    return {};
}

void AtomicFileWriter::Abandon() {
    stamped_ = false;
    const FileOps& ops = CurrentFileOps();
    if (fd_ >= 0) ops.close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) ops.unlink(tempPath_.c_str());
    tempPath_.clear();
    ForgetTemporaryFile(tempToken_);
    tempToken_ = -1;
}

}  // namespace zintor
