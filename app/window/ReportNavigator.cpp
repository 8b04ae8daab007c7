// The roads from a chosen log to the page on screen, LogFile, and the followed log.
#include "app/window/ReportNavigator.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "app/FailureText.h"
#include "app/WindowSettings.h"
#include "app/window/PageUrl.h"
#include "html/UiLanguage.h"
#include "logs/ReportLogList.h"
#include "logs/ReportLogName.h"
#include "platform/DisplayText.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "platform/SettingsFile.h"
#include "platform/UserFolders.h"
#include "report/ReportGenerator.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

// The engine's failures made readable, in the window's language: a read's names the log
// already, a page write's is told with the log it was for.
std::string WhyNotRead(const Failure& failure, int uiLanguage) {
    return ReadableUtf8(FailureText(failure, uiLanguage));
}

std::string WhyNoPage(const std::string& logPath, const Failure& failure, int uiLanguage) {
    return ReadableUtf8(logPath + ": " + FailureText(failure, uiLanguage));
}

}  // namespace

ReportNavigator::ReportNavigator(ReportGenerator& report, SettingsFile& settings,
                                 std::string modulePath, int uiLanguage, NavigatorWindow& window)
    : report_(report),
      settings_(settings),
      modulePath_(std::move(modulePath)),
      uiLanguage_(uiLanguage),
      window_(window),
      pages_(UserCacheFolder(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"))) {}

void ReportNavigator::SetStartLog(std::string logFile, const std::string& recorderFolder) {
    if (logFile.empty()) {
        startLog_ = NewestReportLog(recorderFolder);
        return;
    }
    // A LogFile written by hand may be relative: it counts from the folder the window was
    // started in, and its folder's logs are listed as for any other.
    std::error_code error;
    std::string absolute = std::filesystem::absolute(logFile, error).string();
    startLog_ = error ? std::move(logFile) : std::move(absolute);
}

bool ReportNavigator::ShowLogReport(const std::string& logPath, bool sayWhy) {
    if (Failure failure = report_.ReadReportLog(logPath)) {
        Follow(logPath);  // its page shows once it reads
        ShowMessagePage(sayWhy ? WhyNotRead(failure, uiLanguage_) : std::string());
        return false;
    }
    ShowReadLog(logPath, sayWhy);
    return true;
}

void ReportNavigator::ShowReadLog(const std::string& logPath, bool sayWhy) {
    Follow(logPath);
    std::string page = WritePage(logPath, sayWhy);
    if (!page.empty()) window_.ShowInPane(PageUrlOf(page));
}

std::string ReportNavigator::WritePage(const std::string& logPath, bool sayWhy) {
    std::string page;
    Failure failure = pages_.PlacePage(logPath, page);
    if (!failure) failure = report_.GenerateReport(page);
    if (!failure) return page;
    ShowMessagePage(sayWhy ? WhyNoPage(logPath, failure, uiLanguage_) : std::string());
    return "";
}

void ReportNavigator::ShowMessagePage(const std::string& detail) {
    window_.ShowInPane(MessagePageUrl(ResourcesFor(uiLanguage_).hint, detail));
}

void ReportNavigator::ShowFirstReport() {
    if (chosen_) return;  // a log chosen before it came stays on screen
    if (startOnMessagePage_ || startLog_.empty()) {
        ShowMessagePage(startDetail_);
        return;
    }
    ShowLogReport(startLog_, startLogAskedFor_);
}

void ReportNavigator::StartOnMessagePage(std::string detail) {
    startOnMessagePage_ = true;
    startDetail_ = std::move(detail);
}

std::string ReportNavigator::OpenDialogFolder() const {
    std::string lastLog = settings_.ReadString(kSettingsSection, kLogFileKey, "");
    return FolderOf(lastLog.empty() ? modulePath_ : lastLog);
}

void ReportNavigator::OpenChosenLog(const std::string& path) {
    if (!HasExtension(path, ".log")) return;
    chosen_ = true;
    if (ShowLogReport(path)) RememberLog(path);
}

void ReportNavigator::OpenDroppedFiles(const std::vector<std::string>& names) {
    std::vector<std::string> files;
    for (const std::string& name : names) {
        if (FolderAccess(name) != 0) files.push_back(name);  // a folder is no log
    }
    // A log that does not read gives way to the next; when none reads, the first says why.
    Failure firstFailure;
    for (const std::string& file : files) {
        if (!HasExtension(file, ".log")) continue;
        chosen_ = true;
        Failure failure = report_.ReadReportLog(file);
        if (!failure) {
            ShowReadLog(file, true);
            return;
        }
        if (!firstFailure) firstFailure = failure;
    }
    if (firstFailure) ShowMessagePage(WhyNotRead(firstFailure, uiLanguage_));
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
    chosen_ = true;
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
        ShowMessagePage(WhyNotRead(failure, uiLanguage_));
        return;
    }
    std::string page = WritePage(followedLog_, true);
    if (!page.empty()) window_.ShowAgainInPane(PageUrlOf(page));
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

std::string TakeLogToShow(SettingsFile& settings, const std::string& logToShow, int uiLanguage) {
    std::error_code ec;
    std::string log = std::filesystem::absolute(logToShow, ec).string();
    if (ec || !HasReportLogName(log)) {
        return ReadableUtf8(
            (uiLanguage == kJapanese ? "レポートログではありません: " : "not a report log: ") +
            logToShow);
    }
    struct stat info;
    int error = ::stat(log.c_str(), &info) != 0 ? errno
                : !S_ISREG(info.st_mode)        ? Failure::kNotARegularFile
                                                : 0;
    if (error != 0) return WhyNotRead({Failure::kRead, log, error}, uiLanguage);
    settings.WriteString(kSettingsSection, kLogFileKey, log);
    return {};
}

}  // namespace zintor
