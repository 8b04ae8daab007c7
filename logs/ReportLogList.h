// The report logs of the side menu: the "vorlix_report*.log" files of the log folder,
// sorted, and grouped under the years whose key ("vorlix_report" and the four-digit year)
// their paths contain.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zintor {

constexpr std::size_t kMaxReportLogs = 32000;  // what the side menu holds
constexpr std::size_t kNoLogLimit = static_cast<std::size_t>(-1);
constexpr int kFirstSideMenuYear = 1990;
constexpr int kLastSideMenuYear = 2089;
// The names the side menu lists; letter case does not count.
constexpr const char* kReportLogPattern = "vorlix_report*.log";

// True when a file of this name (without its folder) is one the side menu lists.
bool MatchesReportLogPattern(const std::string& fileName);

// The full paths of the report logs in directory (a folder path ending in '/'), at most
// maxLogs, in the order the search delivers them: regular files and links to them only
// (a folder, a FIFO or a device named like a log is no log to choose). The directory
// becomes the process's current directory; when it cannot (empty or missing) the list is
// empty.
std::vector<std::string> ListReportLogs(const std::string& directory,
                                        std::size_t maxLogs = kMaxReportLogs);

// Ascending order by plain byte comparison: letter case counts, upper case sorts first.
void SortReportLogs(std::vector<std::string>& logFiles);

// The log of the latest month in directory, as the side menu sorts them: of the logs named
// exactly "vorlix_reportYYYYMM.log", the last; "" when there is none. As ListReportLogs, the
// directory becomes the current directory.
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
