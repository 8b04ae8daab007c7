// Where the window writes the page of a log: beside the log, as the command-line run does,
// unless the log's folder cannot be written (the system recorder's folder, a read-only
// medium); then in the user's cache folder, under a name of the log's whole path, so that
// such a log still shows and its page is still written again as the log grows.
#pragma once

#include <functional>
#include <string>

#include "platform/Failure.h"

namespace zintor {

// Whether new files may be made in folder ("" is the current folder) by this process: its
// effective user's permissions, and a read-only file system or an immutable folder, which
// bind even root.
bool FolderWritable(const std::string& folder);

// The file name of the cached page of the log at absolutePath: the log's own name without
// its extension (at most 64 bytes of it), '-', 16 hex digits of a hash of the whole path,
// ".html". Two logs of the same name in different folders get pages of their own.
std::string CachedPageName(const std::string& absolutePath);

class PageLocation {
  public:
    using WritableCheck = std::function<bool(const std::string& folder)>;

    // cacheFolder: the user's cache folder for the program ("" when there is none).
    explicit PageLocation(std::string cacheFolder, WritableCheck writable = FolderWritable)
        : cacheFolder_(std::move(cacheFolder)), writable_(std::move(writable)) {}

    // The page of logPath: beside it when its folder can be written, else in the cache
    // folder, which is made (0700, as the user's private cache) when it is missing. A
    // failure (Failure::kWrite at the page's path) when that folder cannot be made, or when
    // there is none (at the path beside the log); page is set all the same.
    Failure PlacePage(const std::string& logPath, std::string& page) const;

  private:
    std::string cacheFolder_;
    WritableCheck writable_;
};

}  // namespace zintor
