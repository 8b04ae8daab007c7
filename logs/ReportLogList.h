// The report logs of the side menu and of "--all": the files of a folder whose names are
// report logs' (ReportLogName.h), sorted, and grouped under the years their paths name.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "logs/ReportLogName.h"

namespace zintor {

constexpr std::size_t kMaxReportLogs = 32000;  // what the side menu holds
constexpr std::size_t kNoLogLimit = static_cast<std::size_t>(-1);

// The full paths of the report logs in directory (a folder path ending in '/'), at most
// maxLogs, in the order the search delivers them: files whose names pass
// IsReportLogFileName, regular files and links to them only (a folder, a FIFO or a device
// named like a log is no log to choose). The paths begin with the directory's own absolute
// path, links resolved; a relative directory counts from the current one, which stays as it
// is. Empty when the directory is empty, missing or may not be searched.
std::vector<std::string> ListReportLogs(const std::string& directory,
                                        std::size_t maxLogs = kMaxReportLogs);

// Ascending order by plain byte comparison: letter case counts, upper case sorts first.
void SortReportLogs(std::vector<std::string>& logFiles);

// The log of the latest month in directory, as the side menu sorts them: of the logs named
// exactly "vorlix_reportYYYYMM.log", the last; "" when there is none.
std::string NewestReportLog(const std::string& directory);

// The folder whose logs the side menu lists: the folder of the last log shown, or the
// program's own folder when no log has been shown yet. Ends in '/', or is empty when the
// last log's path has no folder.
std::string SideMenuDirectory(const std::string& logFileSetting, const std::string& modulePath);

// One year item of the side menu with its file items, as indices into logFiles in list
// order.
struct YearGroup {
    int year;
    std::vector<std::size_t> files;
};

// The year items in ascending order: one for every year from 1990 to 2089 whose key some
// path contains (letter case counts; the whole path is looked at, folders included).
std::vector<YearGroup> GroupReportLogsByYear(const std::vector<std::string>& logFiles);

}  // namespace zintor
