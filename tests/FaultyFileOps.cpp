// The failing system calls behind ScopedFaults.
#include "tests/FaultyFileOps.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace zintor::test {
namespace {

FaultPlan current;
int writeCalls = 0;

const FileOps& Real() { return ScopedFileOps::System(); }

int MakeTemporary(char* pattern, int flags) {
    if (current.createError) {
        ++current.faultsTriggered;
        errno = current.createError;
        return -1;
    }
    return Real().mkostemp(pattern, flags);
}

ssize_t Write(int fd, const void* data, size_t size) {
    if (current.interruptEveryOther && ++writeCalls % 2 == 1) {
        ++current.faultsTriggered;
        errno = EINTR;
        return -1;
    }
    if (current.shortWrite && size > current.shortWrite) {
        ++current.faultsTriggered;
        size = current.shortWrite;
    }
    if (current.writeFailsAfter >= 0) {
        long room = current.writeFailsAfter - current.bytesWritten;
        if (room <= 0) {
            ++current.faultsTriggered;
            if (current.writeReturnsZero) return 0;
            errno = current.writeError;
            return -1;
        }
        if (static_cast<long>(size) > room)
            size = static_cast<size_t>(room);  // the disk takes what fits
    }
    ssize_t n = Real().write(fd, data, size);
    if (n > 0) current.bytesWritten += n;
    return n;
}

int Fsync(int fd) {
    if (current.fsyncError) {
        ++current.faultsTriggered;
        errno = current.fsyncError;
        return -1;
    }
    return Real().fsync(fd);
}

int Close(int fd) {
    int result = Real().close(fd);
    if (current.closeError) {
        ++current.faultsTriggered;
        errno = current.closeError;
        return -1;
    }
    return result;
}

int Rename(const char* from, const char* to) {
    if (current.renameError) {
        ++current.faultsTriggered;
        errno = current.renameError;
        return -1;
    }
    return Real().rename(from, to);
}

const FileOps kFaultyOps = {MakeTemporary, Write,
                            Fsync,         Close,
                            Rename,        [](const char* path) { return Real().unlink(path); }};

}  // namespace

ScopedFaults::ScopedFaults(const FaultPlan& plan) : ops_(kFaultyOps) {
    current = plan;
    writeCalls = 0;
}

ScopedFaults::~ScopedFaults() { current = FaultPlan(); }

const FaultPlan& ScopedFaults::plan() const { return current; }

int CountTemporaryFiles(const std::string& folder) {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(".zintor-")) ++n;
    return n;
}

}  // namespace zintor::test
