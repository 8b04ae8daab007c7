// The roads from a chosen log to the page on screen, LogFile, and the followed log.
#include "app/ReportNavigator.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "app/FailureText.h"
#include "app/PageUrl.h"
#include "app/WindowSettings.h"
#include "logs/ReportLogList.h"
#include "logs/ReportLogReader.h"
#include "platform/DisplayText.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "platform/RegularFile.h"
#include "platform/SettingsFile.h"
#include "report/ReportGenerator.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

// The engine's failures made readable: a read's names the log already, a page write's is
// told with the log it was for.
std::string WhyNotRead(const Failure& failure) { return ReadableUtf8(FailureText(failure)); }

std::string WhyNoPage(const std::string& logPath, const Failure& failure) {
    return ReadableUtf8(logPath + ": " + FailureText(failure));
}

}  // namespace

ReportNavigator::ReportNavigator(ReportGenerator& report, SettingsFile& settings,
                                 std::string modulePath, int uiLanguage, NavigatorWindow& window)
    : report_(report),
      settings_(settings),
      modulePath_(std::move(modulePath)),
      uiLanguage_(uiLanguage),
      window_(window) {}

bool ReportNavigator::ShowLogReport(const std::string& logPath, bool sayWhy) {
    if (report_.ReadReportLog(logPath)) return false;
    Follow(logPath);
    std::string page = ReportGenerator::PagePathOf(logPath);
    if (Failure failure = report_.GenerateReport(page)) {
        ShowMessagePage(sayWhy ? WhyNoPage(logPath, failure) : std::string());
    } else {
        window_.ShowInPane(PageUrlOf(page));
    }
    return true;
}

void ReportNavigator::ShowMessagePage(const std::string& detail) {
    window_.ShowInPane(MessagePageUrl(ResourcesFor(uiLanguage_).hint, detail));
}

void ReportNavigator::ShowFirstReport() {
    bool follow = !startOnMessagePage_ && !startLog_.empty();
    if (!follow || !ShowLogReport(startLog_, false)) {
        ShowMessagePage();
        if (follow) Follow(startLog_);
    }
}

std::string ReportNavigator::OpenDialogFolder() const {
    std::string lastLog = settings_.ReadString(kSettingsSection, kLogFileKey, "");
    return FolderOf(lastLog.empty() ? modulePath_ : lastLog);
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
    sideMenuDirectory_ = SideMenuDirectory(startLog_, modulePath_);
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
    followedTargetPath_ = LinkTargetOf(followedWatchPath_);
    awaitedFolders_.clear();
    std::vector<std::string> folders;
    auto addOnce = [](std::vector<std::string>& list, const std::string& folder) {
        if (!folder.empty() && std::find(list.begin(), list.end(), folder) == list.end())
            list.push_back(folder);
    };
    for (const std::string& wanted :
         {sideMenuDirectory_, FolderOf(followedLog_), FolderOf(followedTargetPath_)}) {
        if (wanted.empty()) continue;
        WatchPlace place = WatchPlaceOf(wanted);
        addOnce(folders, place.watch);
        addOnce(awaitedFolders_, place.awaited);
    }
    return folders;
}

bool ReportNavigator::NoteFolderChange(FolderChange change, const std::string& path,
                                       const std::string& newPath, long long nowMs) {
    ChangeEffect effect =
        EffectOfChange(change, path, newPath, followedWatchPath_, sideMenuWatchFolder_);
    if (!followedTargetPath_.empty())
        effect |= EffectOfChange(change, path, newPath, followedTargetPath_, "");
    if (MakesAwaitedFolder(change, path, newPath, awaitedFolders_)) {
        // Watched again, and what the folder holds now shown.
        effect |= {!followedLog_.empty(), !sideMenuDirectory_.empty(), true};
    }
    if (!effect.regenerate && !effect.relist && !effect.rewatch) return false;
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
    if (Failure failure = report_.ReadReportLog(followedLog_)) {
        ShowMessagePage(WhyNotRead(failure));
        return;
    }
    std::string page = ReportGenerator::PagePathOf(followedLog_);
    if (Failure failure = report_.GenerateReport(page)) {
        ShowMessagePage(WhyNoPage(followedLog_, failure));
        return;
    }
    window_.ShowAgainInPane(PageUrlOf(page));
}

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

std::string TakeLogToShow(SettingsFile& settings, const std::string& logToShow) {
    std::error_code ec;
    std::string log = std::filesystem::absolute(logToShow, ec).string();
    if (ec || !HasReportLogName(log)) return "not a report log: " + logToShow;
    if (IsRegularFile(log)) {
        settings.WriteString(kSettingsSection, kLogFileKey, log);
        return {};
    }
    if (FileExists(log)) return FailureText({Failure::kRead, log, Failure::kNotARegularFile});
    return "not a report log: " + logToShow;
}

}  // namespace zintor
