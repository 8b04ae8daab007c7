// The window following its folder while the traffic monitor writes: the folders of the shown
// log and of the side menu are watched through the system's change notification, never
// polled, so an idle window costs nothing. The navigator tells which changes matter and when
// a burst of them has settled; the shown log's page is then written once and reloaded in
// place, and report logs coming and going change the side menu.
#include <chrono>

#include <wx/evtloop.h>
#include <wx/fswatcher.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "app/gui/ReportDlg.h"
#include "app/gui/Utf8Text.h"

namespace zintor {
namespace {

// The changes that can concern a page or the side menu. Reading a log is no change: the
// window's own reads never wake it.
constexpr int kWatchedChanges =
    wxFSW_EVENT_CREATE | wxFSW_EVENT_DELETE | wxFSW_EVENT_RENAME | wxFSW_EVENT_MODIFY;

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// A folder that cannot be watched (too many watches, no change notification where the folder
// lies) is no news for the user: the window works as before and F5 still refreshes. While
// this lives, what the toolkit would report goes nowhere but is counted.
class QuietLog : public wxLog {
  public:
    QuietLog() : previous_(wxLog::SetActiveTarget(this)) {}
    ~QuietLog() override { wxLog::SetActiveTarget(previous_); }
    int failures = 0;

  protected:
    void DoLogRecord(wxLogLevel level, const wxString&, const wxLogRecordInfo&) override {
        if (level <= wxLOG_Warning) ++failures;
    }

  private:
    wxLog* previous_;
};

bool ChangeOf(const wxFileSystemWatcherEvent& event, FolderChange& change) {
    switch (event.GetChangeType()) {
        case wxFSW_EVENT_MODIFY:
            change = FolderChange::Modified;
            return true;
        case wxFSW_EVENT_CREATE:
            change = FolderChange::Created;
            return true;
        case wxFSW_EVENT_DELETE:
        case wxFSW_EVENT_UNMOUNT:
            change = FolderChange::Removed;
            return true;
        case wxFSW_EVENT_RENAME:
            change = FolderChange::Renamed;
            return true;
        case wxFSW_EVENT_WARNING:
            change = FolderChange::Overflowed;
            return event.GetWarningType() == wxFSW_WARNING_OVERFLOW;
        default:
            return false;
    }
}

}  // namespace

// The folders of the side menu and of the followed log (and of its target when it is a link),
// each watched once, or the nearest folder above one that is gone; anew watches them again
// whether or not they changed (a folder made again since, watches freed since).
void CReportDlg::WatchFolders(bool anew) {
    std::vector<std::string> folders = navigator_.FoldersToWatch();
    if ((!anew && folders == watchedFolders_) || !wxEventLoopBase::GetActive()) return;
    QuietLog quiet;
    if (watcher_) {
        watcher_->RemoveAll();
    } else {
        watcher_ = std::make_unique<wxFileSystemWatcher>();
        watcher_->SetOwner(this);
        if (quiet.failures > 0) watcher_.reset();
    }
    watchedFolders_.clear();
    if (!watcher_) return;
    for (const std::string& folder : folders) {
        if (watcher_->Add(wxFileName::DirName(FromFileName(folder)), kWatchedChanges))
            watchedFolders_.push_back(folder);
    }
}

void CReportDlg::OnFolderChange(wxFileSystemWatcherEvent& event) {
    FolderChange change;
    if (!ChangeOf(event, change)) return;
    if (navigator_.NoteFolderChange(change, FileNameBytes(event.GetPath().GetFullPath()),
                                    FileNameBytes(event.GetNewPath().GetFullPath()), NowMs()) &&
        !followTimer_.IsRunning()) {
        followTimer_.StartOnce(static_cast<int>(navigator_.BurstWaitMs(NowMs())));
    }
}

void CReportDlg::OnFollowTimer(wxTimerEvent&) {
    if (long long wait = navigator_.BurstWaitMs(NowMs()); wait > 0) {
        followTimer_.StartOnce(static_cast<int>(wait));
        return;
    }
    ChangeEffect effect = navigator_.SettleBurst();
    // First the watches: what a folder made again receives from now on is seen, and what it
    // received before is read below.
    WatchFolders(effect.rewatch);
    if (effect.relist) UpdateSideMenu();
    if (effect.regenerate) {
        appending_ = true;
        navigator_.RegenerateFollowedLog();
        appending_ = false;
    }
}

void CReportDlg::RefreshFromFolder() {
    wxBusyCursor wait;
    followTimer_.Stop();
    navigator_.SettleBurst();  // what it asked for is done now, and more
    WatchFolders(true);
    UpdateSideMenu();
    navigator_.RegenerateFollowedLog();
}

}  // namespace zintor
