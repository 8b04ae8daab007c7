// What went wrong: what failed, the file it failed on and why. The report engine and the
// file layer return it as it is; the program's edges (the command-line run, the window and
// the settings notice) put it into the user's words, and tell failures apart by what failed,
// never by their text.
#pragma once

#include <string>

namespace zintor {

struct Failure {
    // What failed.
    enum What : unsigned char {
        kNone,             // nothing: the operation succeeded
        kTemplateMissing,  // there is no template at path
        kReadTemplate,     // the template at path could not be read
        kNotAReportLog,    // path is not named like a report log
        kRead,             // the file at path could not be read
        kWrite,            // the file at path could not be written
        kReplace,          // the file at path may not be replaced
        kCreateBeside,     // no temporary file could be made beside path
        kNoPage,           // the log gave no page to write to path
        kNoFigures,        // the log at path gave no figures (and would give no page)
    };

    // Why, where no errno value says it (errno values are positive).
    enum Reason : int {
        kNotARegularFile = -1,  // a folder, a FIFO, a device or a socket
        kOutOfMemory = -2,
        kRowsTooLarge = -3,    // the rows of the log take more than 64 MB
        kFileChanged = -4,     // the file changed while it was read
        kTooFewRows = -5,      // the log holds fewer than 2 data rows
        kNoUsableRow = -6,     // no row of the log holds a usable date and time
        kLogChanged = -7,      // the log changed while it was read
        kPageIsTheLog = -8,    // the page's path is the log's own
        kLineBreak = -9,       // a settings section, key or value holds a line break or is empty
        kUntrustedLink = -10,  // a link not the user's, in a folder others can write to
    };

    What what = kNone;
    std::string path;
    int error = 0;  // an errno value or a Reason

    // True when something failed, as with std::error_code: if (Failure f = ...) return f;
    explicit operator bool() const { return what != kNone; }
    bool operator==(const Failure&) const = default;
};

}  // namespace zintor
