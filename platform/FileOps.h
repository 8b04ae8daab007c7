// The system calls through which files are written. Tests swap them to make a write fail
// part-way, a disk fill up or a rename be refused, without touching the real file system.
#pragma once

#include <sys/types.h>

namespace zintor {

struct FileOps {
    int (*mkostemp)(char* pattern, int flags);
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*unlink)(const char* path);
};

// The operations in use: the real system calls unless a test replaced them.
const FileOps& CurrentFileOps();

// Replaces the operations for as long as it lives (tests only; not thread-safe).
class ScopedFileOps {
  public:
    explicit ScopedFileOps(const FileOps& ops);
    ~ScopedFileOps();
    ScopedFileOps(const ScopedFileOps&) = delete;
    ScopedFileOps& operator=(const ScopedFileOps&) = delete;

    // The real system calls, for replacements that fail only now and then.
    static const FileOps& System();

  private:
    const FileOps* previous_;
};

}  // namespace zintor
