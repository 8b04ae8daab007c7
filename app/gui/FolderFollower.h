// The window following its folders while the traffic monitor writes: the folders of the shown
// log and of the side menu are watched through the system's change notification, never
// polled, so an idle window costs nothing. The navigator tells which changes matter and when
// a burst of them has settled; the shown log's page is then written once and reloaded in
// place, and report logs coming and going become edits of the side menu, handed on.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/event.h>
#include <wx/fswatcher.h>
#include <wx/timer.h>

#include "app/window/LiveFolder.h"

namespace zintor {

class ReportNavigator;

class FolderFollower : public wxEvtHandler {
  public:
    // The side menu's edits, and the logs the menu then lists.
    using EditSideMenu = std::function<void(const std::vector<SideMenuEdit>& edits,
                                            const std::vector<std::string>& logFiles)>;

    FolderFollower(ReportNavigator& navigator, EditSideMenu editSideMenu);

    // The folders the navigator names watched, each once, or the nearest folder above one that
    // is gone; anew watches them again whether or not they changed (a folder made again since,
    // watches freed since).
    void Watch(bool anew);
    // After the first report: the folders watched, and the logs that came or went since the
    // side menu was made, before it was watched.
    void CatchUp();
    // View > Refresh: the burst under way dropped, the folders watched anew, the side menu
    // listed anew and the followed log's page written and shown again, at once.
    void RefreshNow();
    // The window closes: nothing more is watched or waited for.
    void Stop();
    // True while the followed log's page is written again for rows added to it.
    bool Appending() const { return appending_; }

  private:
    void OnFolderChange(wxFileSystemWatcherEvent& event);
    void OnBurstDue(wxTimerEvent& event);
    void Relist();

    ReportNavigator& navigator_;
    EditSideMenu editSideMenu_;
    std::unique_ptr<wxFileSystemWatcher> watcher_;  // none while no folder can be watched
    std::vector<std::string> watchedFolders_;
    wxTimer burstTimer_;
    bool appending_ = false;
};

}  // namespace zintor
