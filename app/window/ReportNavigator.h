// The roads from a report log to what the browser pane shows, decided without the toolkit:
// which page or message the pane shows, when LogFile is written, which chosen or dropped files
// count as logs, the side menu's logs, and the log the window follows while the monitor
// writes it. The window's handlers (the first report, the open dialog, the side menu, drops,
// the folder watch and View > Refresh) call it and carry out what it asks of the window.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "app/window/LiveFolder.h"
#include "app/window/PageLocation.h"
#include "html/UiLanguage.h"
#include "platform/Failure.h"

namespace zintor {

class ReportGenerator;
class SettingsFile;

// What the navigator asks of the window it decides for.
class NavigatorWindow {
  public:
    // The browser pane goes to url: a page's file:// address or the inline message page.
    virtual void ShowInPane(const std::string& url) = 0;
    // The page at url was written again: reloaded in place where the pane shows it.
    virtual void ShowAgainInPane(const std::string& url) = 0;
    // Another log is followed now: the folders to watch may have changed.
    virtual void FollowedLogChanged() = 0;

  protected:
    ~NavigatorWindow() = default;
};

class ReportNavigator {
  public:
    // report writes the pages; settings hold LogFile; modulePath names the program, whose
    // folder the side menu and the open dialog fall back on.
    ReportNavigator(ReportGenerator& report, SettingsFile& settings, std::string modulePath,
                    int uiLanguage, NavigatorWindow& window);

    // LogFile as the window read it at its start, with its other settings: the side menu
    // lists its folder and the first report shows it. On a first start (no LogFile) the
    // newest log of recorderFolder, the recorder's default folder, stands for it when there
    // is one; LogFile stays empty until a log is chosen.
    void SetStartLog(std::string logFile, const std::string& recorderFolder = {});
    // Where pages are written: beside their logs, or in the user's cache folder for a log
    // whose folder cannot be written. By default the cache folder of the environment's
    // XDG_CACHE_HOME or HOME, and the process's own permissions.
    void SetPageLocation(PageLocation pages) { pages_ = std::move(pages); }

    // The shared road of a chosen log: read it, follow it, write its page beside it (or in
    // the cache, see SetPageLocation) and show the page. A page that could not be written is never
    // shown (an older page of the same name would pass for the new one), nor the page before when
    // the log cannot be read: the message page shows instead, with sayWhy saying under the hint
    // which log gave no page and why. False when the log could not be read; it is followed all the
    // same, so that its page shows once it reads.
    bool ShowLogReport(const std::string& logPath, bool sayWhy = true);
    // The hint that asks for a log, with detail on a line under it when not empty.
    void ShowMessagePage(const std::string& detail = {});

    // At start-up nobody has chosen a log yet: the last log's page, or the hint alone when
    // there is none, it cannot be read or it gives no page. A last log that cannot be read
    // yet is followed all the same, so that its page shows once it gives one. Nothing when
    // a log was chosen (opened, dropped or picked in the side menu) before it.
    void ShowFirstReport();
    // The first report is the hint, whatever LogFile holds, with detail under it.
    void StartOnMessagePage(std::string detail = {});
    // The start log was asked for ("zintor --show LOG"): when it cannot be read or gives no
    // page, the first report says why under the hint.
    void StartLogAskedFor() { startLogAskedFor_ = true; }

    // The folder the open dialog starts in: the last log's as the settings file holds it now
    // (another window may have opened one since the start), else the program's.
    std::string OpenDialogFolder() const;
    // The file chosen in the open dialog: a ".log" file (letter case not counting) is shown as
    // ShowLogReport shows it and becomes LogFile when its log reads; anything else does
    // nothing.
    void OpenChosenLog(const std::string& path);
    // Dropped names in drop order: folders are skipped (as the folder test goes, they become
    // the current directory), and the first ".log" file that reads is shown; when none reads,
    // the hint says why the first could not be read. LogFile stays.
    void OpenDroppedFiles(const std::vector<std::string>& names);

    // The side menu: the report logs of the start log's folder (the program's before any log
    // was opened), sorted, listed anew.
    const std::vector<std::string>& ListSideMenu();
    // The logs the side menu's folder holds now, and the edits that turn the menu of the
    // logs listed before into theirs.
    std::vector<SideMenuEdit> RelistSideMenu();
    const std::vector<std::string>& LogFiles() const { return logFiles_; }
    // An item chosen in the side menu, by its label and its place in LogFiles: a log item
    // (its label holds ".log") is shown as ShowLogReport shows it and becomes LogFile when
    // its log reads; a year item does nothing.
    void ChooseSideMenuItem(const std::string& label, std::size_t index);

    // Following the folder while the monitor writes. The folders to watch (the side menu's,
    // the followed log's and, when that is a symbolic link, its target's), each once; for one
    // that does not exist, the nearest folder above it that does, until it is back.
    std::vector<std::string> FoldersToWatch();
    // A change in a watched folder at nowMs; true when it concerns the page on screen or the
    // side menu, which then wait for the burst it belongs to.
    bool NoteFolderChange(FolderChange change, const std::string& path, const std::string& newPath,
                          long long nowMs);
    // Milliseconds from nowMs until the burst under way is due; 0 when it is (or none is).
    long long BurstWaitMs(long long nowMs) const { return burst_.WaitMs(nowMs); }
    // What the burst asked for, which is then over.
    ChangeEffect SettleBurst();
    // The followed log's page written again after the log changed, the same page as on every
    // other road, reloaded in place; a log that no longer gives a page shows the hint with
    // the reason. LogFile stays.
    void RegenerateFollowedLog();

  private:
    // ShowLogReport once the log has been read.
    void ShowReadLog(const std::string& logPath, bool sayWhy);
    void RememberLog(const std::string& logPath);
    void Follow(const std::string& logPath);
    // The page of logPath written where PageLocation puts it; its path, or "" when it could
    // not be written, after showing the hint with why.
    std::string WritePage(const std::string& logPath, bool sayWhy);

    ReportGenerator& report_;
    SettingsFile& settings_;
    std::string modulePath_;
    int uiLanguage_;
    NavigatorWindow& window_;
    PageLocation pages_;
    bool startOnMessagePage_ = false;
    std::string startDetail_;  // under the hint of the first report
    bool startLogAskedFor_ = false;
    bool chosen_ = false;  // a log was chosen on one of the roads
    std::string startLog_;
    std::vector<std::string> logFiles_;
    std::string sideMenuDirectory_;
    // The log whose page is on screen, made absolute, and it and the side menu's folder as the
    // watcher names them.
    std::string followedLog_;
    std::string followedWatchPath_;
    std::string followedTargetPath_;  // where the followed log leads when it is a link
    std::string sideMenuWatchFolder_;
    std::vector<std::string> awaitedFolders_;  // folders to watch once they are made
    ChangeBurst burst_;
    ChangeEffect pending_;  // what the burst under way asks for
};

// "zintor --show LOG": a report log that is a regular file becomes LogFile, so that the side
// menu lists its folder and the first report shows it, as after the open dialog. Otherwise
// the line that says why it is not taken (in the window's language, the system's words for
// a file that is not there or cannot be looked at); empty when it is.
std::string TakeLogToShow(SettingsFile& settings, const std::string& logToShow,
                          int uiLanguage = kEnglish);

}  // namespace zintor
