// Listing, sorting and grouping the report logs of the side menu.
#include "logs/ReportLogList.h"

#include <algorithm>
#include <filesystem>

#include "platform/DirectorySearch.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"

namespace zintor {

// The folder is named by its canonical path, so that a log's path stays the same whatever
// way its folder was reached (a link, "..", a relative path) and whatever the current
// directory becomes. A folder the user may read but not search lists nothing: none of its
// logs could be opened.
std::vector<std::string> ListReportLogs(const std::string& directory, std::size_t maxLogs) {
    std::vector<std::string> logFiles;
    if (FolderAccess(directory) != 0) return logFiles;
    std::error_code error;
    std::string folder = std::filesystem::canonical(directory, error).string();
    if (error || folder.empty()) return logFiles;
    if (folder.back() != '/') folder += '/';
    SearchDirectory(folder, IsReportLogFileName, [&](const DirectoryEntry& entry) {
        if (entry.isRegularFile) logFiles.push_back(folder + entry.name);
        return logFiles.size() < maxLogs;
    });
    return logFiles;
}

void SortReportLogs(std::vector<std::string>& logFiles) {
    std::sort(logFiles.begin(), logFiles.end());
}

std::string NewestReportLog(const std::string& directory) {
    if (directory.empty()) return "";
    std::vector<std::string> logs = ListReportLogs(directory, kNoLogLimit);
    SortReportLogs(logs);
    auto newest = std::find_if(logs.rbegin(), logs.rend(), [](const std::string& log) {
        return IsMonthLogName(FileNameOf(log));
    });
    return newest == logs.rend() ? "" : *newest;
}

std::string SideMenuDirectory(const std::string& logFileSetting, const std::string& modulePath) {
    return FolderOf(logFileSetting.empty() ? modulePath : logFileSetting);
}

std::vector<YearGroup> GroupReportLogsByYear(const std::vector<std::string>& logFiles) {
    std::vector<YearGroup> groups;
    for (int year = kFirstSideMenuYear; year <= kLastSideMenuYear; ++year) {
        YearGroup group{year, {}};
        for (std::size_t i = 0; i < logFiles.size(); ++i) {
            if (NamesYear(logFiles[i], year)) group.files.push_back(i);
        }
        if (!group.files.empty()) groups.push_back(std::move(group));
    }
    return groups;
}

}  // namespace zintor
