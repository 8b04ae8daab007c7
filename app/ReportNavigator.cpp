// The roads from a chosen log to the page on screen, LogFile, and the followed log.
#include "app/ReportNavigator.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "app/DisplayText.h"
#include "app/PageUrl.h"
#include "app/WindowPlacement.h"
#include "logs/ReportLogList.h"
#include "logs/ReportLogReader.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "platform/RegularFile.h"
#include "platform/SettingsFile.h"
#include "report/ReportGenerator.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

constexpr std::string_view kLogFileKey = "LogFile";

}  // namespace

ReportNavigator::ReportNavigator(ReportGenerator& report, const SettingsFile& settings, std::string modulePath,
                                 int uiLanguage, NavigatorWindow& window)
    : report_(report), settings_(settings), modulePath_(std::move(modulePath)), uiLanguage_(uiLanguage),
      window_(window) {}

bool ReportNavigator::ShowLogReport(const std::string& logPath, bool sayWhy) {
    if (report_.ReadReportLog(logPath) != 1) return false;
    Follow(logPath);
    std::string page = ReportGenerator::PagePathOf(logPath);
    if (report_.GenerateReport(page)) {
        window_.ShowInPane(PageUrlOf(page));
    } else {
        ShowMessagePage(sayWhy ? WhyNoPage(logPath) : std::string());
    }
    return true;
}

void ReportNavigator::ShowMessagePage(const std::string& detail) {
    window_.ShowInPane(MessagePageUrl(ResourcesFor(uiLanguage_).hint, detail));
}

void ReportNavigator::ShowFirstReport() {
    std::string logFileSetting = LastLog();
    bool follow = !startOnMessagePage_ && !logFileSetting.empty();
    if (!follow || !ShowLogReport(logFileSetting, false)) {
        ShowMessagePage();
        if (follow) Follow(logFileSetting);
    }
}

std::string ReportNavigator::OpenDialogFolder() const {
    std::string logFileSetting = LastLog();
    return FolderOf(logFileSetting.empty() ? modulePath_ : logFileSetting);
}

void ReportNavigator::OpenChosenLog(const std::string& path) {
    if (HasExtension(path, ".log") && ShowLogReport(path)) RememberLog(path);
}

void ReportNavigator::OpenDroppedFiles(const std::vector<std::string>& names) {
    std::vector<std::string> files;
    for (const std::string& name : names) {
        if (!ChangeDirectory(name)) files.push_back(name);
    }
    for (const std::string& file : files) {
        if (HasExtension(file, ".log") && ShowLogReport(file)) return;
    }
}

const std::vector<std::string>& ReportNavigator::ListSideMenu() {
    sideMenuDirectory_ = SideMenuDirectory(LastLog(), modulePath_);
    logFiles_ = ListReportLogs(sideMenuDirectory_);
    SortReportLogs(logFiles_);
    return logFiles_;
}

std::vector<SideMenuEdit> ReportNavigator::RelistSideMenu() {
    std::vector<std::string> listed = ListReportLogs(sideMenuDirectory_);
    SortReportLogs(listed);
    std::vector<SideMenuEdit> edits = PlanSideMenuEdits(logFiles_, listed);
    logFiles_ = std::move(listed);
    return edits;
}

void ReportNavigator::ChooseSideMenuItem(const std::string& label, std::size_t index) {
    if (label.find(".log") == std::string::npos || index >= logFiles_.size()) return;
    const std::string& path = logFiles_[index];
    if (ShowLogReport(path)) RememberLog(path);
}

std::vector<std::string> ReportNavigator::FoldersToWatch() {
    sideMenuWatchFolder_ = WatchPathOf(sideMenuDirectory_);
    followedWatchPath_ = followedLog_.empty() ? std::string() : WatchPathOf(followedLog_);
    std::vector<std::string> folders;
    for (const std::string& folder : {sideMenuWatchFolder_, FolderOf(followedWatchPath_)}) {
        if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(folder);
        }
    }
    return folders;
}

bool ReportNavigator::NoteFolderChange(FolderChange change, const std::string& path, const std::string& newPath,
                                       long long nowMs) {
    ChangeEffect effect = EffectOfChange(change, path, newPath, followedWatchPath_, sideMenuWatchFolder_);
    if (!effect.regenerate && !effect.relist) return false;
    pending_ |= effect;
    burst_.Add(nowMs);
    return true;
}

ChangeEffect ReportNavigator::SettleBurst() {
    burst_.Clear();
    return std::exchange(pending_, ChangeEffect{});
}

void ReportNavigator::RegenerateFollowedLog() {
    if (followedLog_.empty()) return;
    if (report_.ReadReportLog(followedLog_) != 1) {
        ShowMessagePage(WhyNotRead());
        return;
    }
    std::string page = ReportGenerator::PagePathOf(followedLog_);
    if (!report_.GenerateReport(page)) {
        ShowMessagePage(WhyNoPage(followedLog_));
        return;
    }
    window_.ShowAgainInPane(PageUrlOf(page));
}

std::string ReportNavigator::LastLog() const { return settings_.ReadString(kSettingsSection, kLogFileKey, ""); }

void ReportNavigator::RememberLog(const std::string& logPath) {
    settings_.WriteString(kSettingsSection, kLogFileKey, logPath);
}

void ReportNavigator::Follow(const std::string& logPath) {
    std::error_code error;
    std::string absolute = std::filesystem::absolute(logPath, error).string();
    followedLog_ = error ? logPath : absolute;
    pending_.regenerate = false;  // a burst of the log shown before no longer matters
    window_.FollowedLogChanged();
}

// The engine's reason for the last failed read or page write, made readable: a read's names
// the log already, a page write's is told with the log it was for.
std::string ReportNavigator::WhyNotRead() const { return ReadableUtf8(report_.LastError()); }

std::string ReportNavigator::WhyNoPage(const std::string& logPath) const {
    return ReadableUtf8(logPath + ": " + report_.LastError());
}

std::string TakeLogToShow(const SettingsFile& settings, const std::string& logToShow) {
    std::error_code ec;
    std::string log = std::filesystem::absolute(logToShow, ec).string();
    if (ec || !HasReportLogName(log)) return "not a report log: " + logToShow;
    if (IsRegularFile(log)) {
        settings.WriteString(kSettingsSection, kLogFileKey, log);
        return {};
    }
    if (FileExists(log)) return "cannot read " + log + ": " + OpenErrorText(kNotARegularFile);
    return "not a report log: " + logToShow;
}

}  // namespace zintor
