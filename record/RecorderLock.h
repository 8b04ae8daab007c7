// One recorder per folder: a lock on a file in it, held while the recorder runs.
#pragma once

#include <sys/types.h>
#include <string>

namespace zintor {

struct LockResult {
    int fd = -1;        // the lock file, to keep open; -1 when not locked
    bool held = false;  // another process holds the lock
    pid_t holder = 0;   // its id (0 when not known)
    std::string why;    // when the lock file could not be used at all
};

// Locks FOLDER/.zintor-record.lock (released by the system when the process ends however it
// ends) and writes the process id into it, where a second recorder finds it.
LockResult LockFolder(const std::string& folder);

}  // namespace zintor
