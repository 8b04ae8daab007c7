// The monthly report logs of a folder, rows appended one write at a time. Rows that cannot be
// written (a full disk, the folder gone) wait in memory, a day of them at most, and are
// written in order once writing works again.
#pragma once

#include <cstddef>
#include <deque>
#include <ostream>
#include <string>

#include "record/RowSink.h"

namespace zintor {

class LogAppender : public RowSink {
  public:
    // maxWaiting: how many unwritten rows are kept; beyond it the oldest go. Failures are
    // told on errors, one line when writing starts failing, not one per row.
    LogAppender(std::string folder, std::size_t maxWaiting, std::ostream& errors);
    ~LogAppender() override;
    LogAppender(const LogAppender&) = delete;
    LogAppender& operator=(const LogAppender&) = delete;

    // Writes the rows still waiting and then this one, each as one write followed by
    // fdatasync, to the log of its month.
    void Put(const RowLabel& label, const Movement& moved) override;
    // Closes the log; the next row opens it again by name (after a log rotation tool moved it).
    void Reopen();
    // Tries the waiting rows again; the number still waiting.
    std::size_t Flush();

  private:
    struct Row {  // 40 bytes: a day of rows a second stays within a few MiB
        RowLabel label;
        Movement moved;
    };
    bool Write(const Row& row, std::string& why);
    bool Open(const std::string& file, std::string& why);
    void Close();

    std::string folder_;
    std::size_t maxWaiting_;
    std::ostream& errors_;
    std::deque<Row> waiting_;
    std::size_t dropped_ = 0;
    bool failing_ = false;
    int fd_ = -1;
    std::string openFile_;
};

// Makes the folder and any missing parents (0755 less the umask); false with why set when
// that fails.
bool MakeFolder(const std::string& folder, std::string& why);

// Cuts a regular file opened for writing back to the end of its last complete line, so that
// a row torn by a crash or a full disk is never read; false when that fails.
bool CutTornLine(int fd);

}  // namespace zintor
