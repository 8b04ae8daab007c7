// Listing, sorting and grouping the report logs of the side menu.
#include "logs/ReportLogList.h"

#include <fnmatch.h>

#include <algorithm>
#include <cstdio>

#include "platform/DirectorySearch.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"

namespace zintor {

std::vector<std::string> ListReportLogs(const std::string& directory, std::size_t maxLogs) {
    std::vector<std::string> logFiles;
    if (!ChangeDirectory(directory)) return logFiles;
    std::string folder = CurrentDirectory();
    if (folder.empty()) return logFiles;
    if (folder.back() != '/') folder += '/';
    SearchDirectory(folder, kReportLogPattern, [&](const DirectoryEntry& entry) {
        if (entry.isRegularFile) logFiles.push_back(folder + entry.name);
        return logFiles.size() < maxLogs;
    });
    return logFiles;
}

// The folder search's own match: letter case folded, no leading dot.
bool MatchesReportLogPattern(const std::string& fileName) {
    return ::fnmatch(kReportLogPattern, fileName.c_str(), FNM_CASEFOLD | FNM_PERIOD) == 0;
}

void SortReportLogs(std::vector<std::string>& logFiles) {
    std::sort(logFiles.begin(), logFiles.end());
}

namespace {

// "vorlix_report" and six digits, then ".log": a month's log as the recorder names it.
bool IsMonthLogName(const std::string& name) {
    constexpr std::string_view prefix = "vorlix_report", suffix = ".log";
    if (name.size() != prefix.size() + 6 + suffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(suffix))
        return false;
    return std::all_of(name.begin() + prefix.size(), name.end() - suffix.size(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

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
        char key[32];
        std::snprintf(key, sizeof key, "vorlix_report%04d", year);
        YearGroup group{year, {}};
        for (std::size_t i = 0; i < logFiles.size(); ++i) {
            if (logFiles[i].find(key) != std::string::npos) group.files.push_back(i);
        }
        if (!group.files.empty()) groups.push_back(std::move(group));
    }
    return groups;
}

}  // namespace zintor
