// "--all FOLDER": the pages of every report log in a folder (the logs the side menu would
// list there, however many) that are missing or not stamped with their log's time, written
// by worker processes on all processor cores, each as a single run writes it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zintor {

// A log whose page is missing, or whose modification time is not the log's own (every page
// is stamped with the time its log had when it was read), or that cannot be looked at.
bool PageNeedsWriting(const std::string& logPath);

// Writes the pages the logs of folder need, with at most workers processes (0: one per
// usable core). Says "N pages written, M up to date, K failed" on out, and one line on err
// for every log whose page could not be written. Returns the exit status: 0 when every page
// needed was written, 1 otherwise.
int RunFolderPages(const std::string& folder, std::ostream& out, std::ostream& err,
                   int workers = 0);

}  // namespace zintor
