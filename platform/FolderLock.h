// An exclusive lock on a folder, held for as long as the object lives, that several running
// copies of the program take before they read, change and replace a file in that folder.
// Without it two copies rewriting the same file at once each start from the content before
// the other's change, and the change renamed in first is lost.
#pragma once

#include <string>

namespace zintor {

class FolderLock {
  public:
    // Waits up to about two seconds for the lock on the folder that holds path. A folder that
    // cannot be locked (gone, no permission, a file system without locks) or a lock another
    // program keeps longer leaves the object unlocked: the caller goes on without it rather
    // than hang or fail a write that would otherwise succeed.
    explicit FolderLock(const std::string& path);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int fd_ = -1;
};

}  // namespace zintor
