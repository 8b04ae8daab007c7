// Watching the folders, the bursts of their changes, and what a settled burst asks for.
#include "app/gui/FolderFollower.h"

#include <chrono>
#include <utility>

#include <wx/evtloop.h>
#include <wx/fswatcher.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "app/gui/Utf8Text.h"
#include "app/window/ReportNavigator.h"

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

FolderFollower::FolderFollower(ReportNavigator& navigator, EditSideMenu editSideMenu)
    : navigator_(navigator), editSideMenu_(std::move(editSideMenu)), burstTimer_(this) {
    Bind(wxEVT_FSWATCHER, &FolderFollower::OnFolderChange, this);
    Bind(wxEVT_TIMER, &FolderFollower::OnBurstDue, this);
}

// The folders of the side menu and of the followed log (and of its target when it is a link).
void FolderFollower::Watch(bool anew) {
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

void FolderFollower::OnFolderChange(wxFileSystemWatcherEvent& event) {
    FolderChange change;
    if (!ChangeOf(event, change)) return;
    if (navigator_.NoteFolderChange(change, FileNameBytes(event.GetPath().GetFullPath()),
                                    FileNameBytes(event.GetNewPath().GetFullPath()), NowMs()) &&
        !burstTimer_.IsRunning()) {
        burstTimer_.StartOnce(static_cast<int>(navigator_.BurstWaitMs(NowMs())));
    }
}

void FolderFollower::OnBurstDue(wxTimerEvent&) {
    if (long long wait = navigator_.BurstWaitMs(NowMs()); wait > 0) {
        burstTimer_.StartOnce(static_cast<int>(wait));
        return;
    }
    ChangeEffect effect = navigator_.SettleBurst();
    // First the watches: what a folder made again receives from now on is seen, and what it
    // received before is read below.
    Watch(effect.rewatch);
    if (effect.relist) Relist();
    if (effect.regenerate) {
        appending_ = true;
        navigator_.RegenerateFollowedLog();
        appending_ = false;
    }
}

void FolderFollower::Relist() {
    std::vector<SideMenuEdit> edits = navigator_.RelistSideMenu();
    if (!edits.empty()) editSideMenu_(edits, navigator_.LogFiles());
}

void FolderFollower::CatchUp() {
    Watch(false);
    Relist();
}

void FolderFollower::RefreshNow() {
    wxBusyCursor wait;
    burstTimer_.Stop();
    navigator_.SettleBurst();  // what it asked for is done now, and more
    Watch(true);
    Relist();
    navigator_.RegenerateFollowedLog();
}

void FolderFollower::Stop() {
    burstTimer_.Stop();
    watcher_.reset();
}

}  // namespace zintor
