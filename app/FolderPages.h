// "--all FOLDER": the pages of every report log in a folder (the logs the side menu would
// list there) that are missing or older than their logs, written by worker processes on all
// processor cores, each as a single run writes it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zintor {

// A log whose page is missing, or older than the log (by their modification times), or
// cannot be looked at.
bool PageNeedsWriting(const std::string& logPath);

// Writes the pages the logs of folder need, with at most workers processes (0: one per
// usable core). Says "N pages written, M up to date, K failed" on out, and one line on err
// for every log whose page could not be written. Returns the exit status: 0 when every page
// needed was written, 1 otherwise.
int RunFolderPages(const std::string& folder, std::ostream& out, std::ostream& err,
                   int workers = 0);

}  // namespace zintor
