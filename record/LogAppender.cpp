// Appending rows to the monthly logs, with what failed kept for later.
#include "record/LogAppender.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/FileSystem.h"

namespace zintor {

bool MakeFolder(const std::string& folder, std::string& why) {
    // Readable to all whatever the umask, so that desktop users can read the logs.
    int error = MakeFolders(folder, 0755);
    if (error != 0) why = folder + ": " + std::strerror(error);
    return error == 0;
}

bool CutTornLine(int fd) {
    struct stat st;
    if (fstat(fd, &st) != 0) return false;
    if (!S_ISREG(st.st_mode) || st.st_size == 0) return true;
    char buffer[4096];
    off_t end = st.st_size;
    while (end > 0) {
        off_t start = end > static_cast<off_t>(sizeof buffer) ? end - sizeof buffer : 0;
        ssize_t n = pread(fd, buffer, static_cast<std::size_t>(end - start), start);
        if (n != end - start) return false;
        for (ssize_t i = n; i > 0; --i) {
            if (buffer[i - 1] != '\n') continue;
            off_t keep = start + i;
            return keep == st.st_size || ftruncate(fd, keep) == 0;
        }
        end = start;
    }
    return ftruncate(fd, 0) == 0;  // not one complete line
}

LogAppender::LogAppender(std::string folder, std::size_t maxWaiting, std::ostream& errors)
    : folder_(std::move(folder)), maxWaiting_(maxWaiting), errors_(errors) {}

LogAppender::~LogAppender() { Close(); }

void LogAppender::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    openFile_.clear();
}

void LogAppender::Reopen() { Close(); }

bool LogAppender::Open(const std::string& file, std::string& why) {
    Close();
    if (!MakeFolder(folder_, why)) return false;
    std::string path = folder_ + "/" + file;
    int flags = O_RDWR | O_APPEND | O_CLOEXEC;  // read too: the torn line is found by reading
    int fd = open(path.c_str(), flags | O_CREAT | O_EXCL, 0644);
    if (fd >= 0)
        fchmod(fd, 0644);  // a new log is readable to all whatever the umask
    else if (errno == EEXIST)
        fd = open(path.c_str(), flags);
    if (fd < 0 || !CutTornLine(fd)) {
        why = path + ": " + std::strerror(errno);
        if (fd >= 0) close(fd);
        return false;
    }
    fd_ = fd;
    openFile_ = file;
    return true;
}

bool LogAppender::Write(const Row& row, std::string& why) {
    std::string file = LogFileName(row.label);
    if ((fd_ < 0 || openFile_ != file) && !Open(file, why)) return false;
    std::string text = RowText(row.label, row.moved);
    ssize_t n;
    do n = write(fd_, text.data(), text.size());
    while (n < 0 && errno == EINTR);
    if (n == static_cast<ssize_t>(text.size())) {
        fdatasync(fd_);  // the row is in the file; a failed sync is not a reason to write it twice
        return true;
    }
    int error = n < 0 ? errno : ENOSPC;  // a short write: the disk filled up during it
    why = folder_ + "/" + file + ": " + std::strerror(error);
    if (n > 0) CutTornLine(fd_);
    Close();  // opened again (and cut back again) for the next try
    return false;
}

std::size_t LogAppender::Flush() {
    while (!waiting_.empty()) {
        std::string why;
        if (!Write(waiting_.front(), why)) {
            if (!failing_)
                errors_ << "zintor-record: cannot write " << why
                        << "; rows are kept in memory (a day of them at most) until writing "
                           "works again\n"
                        << std::flush;
            failing_ = true;
            return waiting_.size();
        }
        waiting_.pop_front();
    }
    if (dropped_ > 0)
        errors_ << "zintor-record: " << dropped_
                << " rows older than a day were lost while writing failed\n"
                << std::flush;
    failing_ = false;
    dropped_ = 0;
    return 0;
}

void LogAppender::Put(const RowLabel& label, const Movement& moved) {
    if (!waiting_.empty()) Flush();  // the waiting rows make room first when they can
    waiting_.push_back({label, moved});
    if (waiting_.size() > maxWaiting_) {
        waiting_.pop_front();
        ++dropped_;
    }
    Flush();
}

}  // namespace zintor
