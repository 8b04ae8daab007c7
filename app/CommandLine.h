// The command-line run: given a report log, write its page beside it and end.
#pragma once

#include <iosfwd>
#include <string>

namespace zintor {

constexpr const char* kVersionText = "zintor 0.70";

// The program's arguments joined by single blanks.
std::string CommandLineTail(int argc, char** argv);

// Checks the template, reads the log, writes the page. Returns the exit status: 0 when the
// page was written, 1 otherwise, with one line on err for the failure.
int RunCommandLine(const std::string& logPath, std::ostream& err);

// The usage text, ending in a line feed.
std::string UsageText();

}  // namespace zintor
