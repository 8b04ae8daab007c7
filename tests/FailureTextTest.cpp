// The words of every failure, as the command-line run, the window and the settings notice
// print them: the program's messages stay as users and scripts know them.
#include "app/FailureText.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace zintor {
namespace {

TEST(FailureText, EachFailureInItsOwnWords) {
    struct Case {
        Failure failure;
        const char* text;
    };
    const Case cases[] = {
        {{}, ""},
        {{Failure::kTemplateMissing, "/p/zintor.htm_en.txt", ENOENT},
         "Template File is Not Found."},
        {{Failure::kReadTemplate, "/p/zintor.htm.txt", Failure::kNotARegularFile},
         "cannot read the template /p/zintor.htm.txt: not a regular file"},
        {{Failure::kNotAReportLog, "/l/traffic.log", 0},
         "not a report log (its name must contain \"vorlix_report\" and \".log\"): /l/traffic.log"},
        {{Failure::kRead, "/l/x.log", ENOENT}, "cannot read /l/x.log: No such file or directory"},
        {{Failure::kRead, "/l/x.log", Failure::kOutOfMemory},
         "cannot read /l/x.log: not enough memory"},
        {{Failure::kRead, "/l/x.log", Failure::kRowsTooLarge},
         "cannot read /l/x.log: its rows take more than 64 MB"},
        {{Failure::kRead, "/l/x.log", Failure::kFileChanged},
         "cannot read /l/x.log: the file changed while it was read"},
        {{Failure::kWrite, "/l/x.html", ENOSPC}, "cannot write /l/x.html: No space left on device"},
        {{Failure::kWrite, "/p/zintor.ini", Failure::kLineBreak},
         "cannot write /p/zintor.ini: a section, key or value holds a line break or is empty"},
        {{Failure::kReplace, "/l/x.html", EACCES}, "cannot replace /l/x.html: Permission denied"},
        {{Failure::kCreateBeside, "/l/x.html", EROFS},
         "cannot create a file beside /l/x.html: Read-only file system"},
        {{Failure::kNoPage, "/l/x.html", Failure::kTooFewRows},
         "no page written to /l/x.html: the log holds fewer than 2 data rows"},
        {{Failure::kNoPage, "/l/x.html", Failure::kNoUsableRow},
         "no page written to /l/x.html: no row of the log holds a usable date and time"},
        {{Failure::kNoPage, "/l/x.html", Failure::kLogChanged},
         "no page written to /l/x.html: the log changed while it was read"},
        {{Failure::kNoPage, "/l/x.log.html", Failure::kPageIsTheLog},
         "no page written to /l/x.log.html: that is the log itself"},
        {{Failure::kNoFigures, "/l/x.log", Failure::kNoUsableRow},
         "no figures from /l/x.log: no row of the log holds a usable date and time"},
    };
    for (const Case& c : cases) EXPECT_EQ(FailureText(c.failure), c.text);
}

}  // namespace
}  // namespace zintor
