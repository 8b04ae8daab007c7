// The command-line run: given a report log, write its page beside it and end.
#pragma once

#include <iosfwd>
#include <string>

#include "platform/Failure.h"
#include "resources/Version.h"

namespace zintor {

constexpr const char* kVersionText = "zintor " ZINTOR_PROGRAM_VERSION;

// The program's arguments joined by single blanks.
std::string CommandLineTail(int argc, char** argv);

// Checks the template, reads the log, writes the page. Returns the exit status: 0 when the
// page was written, 1 otherwise, with one line on err for the failure.
int RunCommandLine(const std::string& logPath, std::ostream& err);

// "--json LOG": reads the log and writes its month's figures to out as JSON (no page, no
// template needed). Returns 0, or 1 with one line on err and nothing on out when the log
// gives no page, or when out could not be written.
int RunJsonCommand(const std::string& logPath, std::ostream& out, std::ostream& err);

// The failure line of the command-line run, ending in a line feed: "zintor: " and the
// failure's words, or the template's missing message alone.
std::string CommandLineFailureLine(const Failure& failure);

// The usage text, ending in a line feed.
std::string UsageText();

}  // namespace zintor
