// Replacing a file without ever leaving it half-written: the new bytes go to a temporary
// file in the same folder, which is renamed over the file only when it is complete. A
// symbolic link at the path is replaced by the new file, never written through, so that a
// link cannot make a run (as root, say) overwrite another file. A file the user may not
// write to is left as it is: the write fails, and a read-only file is never replaced.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "platform/Failure.h"

namespace zintor {

class AtomicFileWriter {
  public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();  // an uncommitted file is abandoned
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file beside path. The file at path is not touched yet. The new
    // file gets the old one's permission bits (read, write, execute for user, group and
    // others, never set-user-ID, set-group-ID or sticky) when the old one is the user's own,
    // or 0666 less the umask.
    Failure Open(const std::string& path);
    // After Open: the modification time the file is given as it is put in place (by default,
    // the time of its last write).
    void SetModificationTime(const struct timespec& time) {
        stamp_ = time;
        stamped_ = true;
    }
    Failure Write(std::string_view bytes);
    // Closes the temporary file (after flushing it to the disk when durable) and renames it
    // over path. On failure the temporary file is removed and path keeps its old content.
    Failure Commit(bool durable);

  private:
    // Removes the temporary file; path keeps its old content.
    void Abandon();
    Failure Fail(Failure::What what, const std::string& path, int error);

    std::string path_;
    std::string tempPath_;
    int tempToken_ = -1;  // where a signal that ends the program finds the temporary file
    int fd_ = -1;
    struct timespec stamp_ = {};
    bool stamped_ = false;
};

}  // namespace zintor
