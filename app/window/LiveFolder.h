// The window follows its folder while the traffic monitor writes: which changes of the folder
// concern the page on screen or the side menu, when a burst of them has settled, and how the
// side menu's items change with the logs the folder now holds.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zintor {

// What happened in a watched folder, as the file-system watcher reports it.
enum class FolderChange {
    Modified,  // an entry was written to
    Created,
    Removed,     // an entry, or the watched folder itself, went away
    Renamed,     // from path to newPath; either may lie outside the watched folders
    Overflowed,  // changes were lost: anything may have changed
};

struct ChangeEffect {
    bool regenerate = false;  // the shown log changed: its page is written and shown again
    bool relist = false;      // the side menu's logs may have changed
    // The folders are watched anew: a watched one went away (a watch dies with its folder), or
    // one awaited came back.
    bool rewatch = false;
    ChangeEffect& operator|=(const ChangeEffect& other) {
        regenerate |= other.regenerate;
        relist |= other.relist;
        rewatch |= other.rewatch;
        return *this;
    }
};

// path and newPath are full paths as the watcher gives them (newPath equals path but for a
// rename); shownLog is the log on screen and sideMenuFolder the folder the side menu lists
// (ending in '/'), both as WatchPathOf gives them, empty when there is none. Only the shown
// log itself (or its folder going away) gives a new page: the page and its temporary file,
// written beside the log, never do. Only report logs appearing in or leaving the side menu's
// folder (or the folder itself going) change the side menu.
ChangeEffect EffectOfChange(FolderChange change, const std::string& path,
                            const std::string& newPath, const std::string& shownLog,
                            const std::string& sideMenuFolder);

// Whether the change makes one of the awaited folders (each ending in '/', see WatchPlaceOf)
// or a folder on the way to it: made, or renamed into place. Lost changes may have, too.
bool MakesAwaitedFolder(FolderChange change, const std::string& path, const std::string& newPath,
                        const std::vector<std::string>& awaited);

// Where the changes of a folder (ending in '/') are watched from. A folder that exists is
// watched itself: watch names it as WatchPathOf does, and awaited is empty. One that does not
// (removed, or not made yet) is awaited from the nearest folder above it that exists: watch
// names that one, and awaited the missing folder as the watcher will name it once it is made.
struct WatchPlace {
    std::string watch;
    std::string awaited;
};
WatchPlace WatchPlaceOf(const std::string& folder);

// Where the log at path (as WatchPathOf gives it) leads when it is a symbolic link: the target
// with every link resolved, or as far as it can be when the target is missing. Empty when the
// log is no link.
std::string LinkTargetOf(const std::string& path);

// A path in the form the watcher reports: the folder with its links resolved, then the file
// name; for a folder (ending in '/'), the resolved folder ending in '/'. Empty when the
// folder does not exist.
std::string WatchPathOf(const std::string& path);

// A burst of changes gives one new page: it is due once no change has come for kQuietMs,
// and never later than kLongestWaitMs after the burst's first change, so that a log written
// to without a pause still shows its new rows. Times are milliseconds of a steady clock.
class ChangeBurst {
  public:
    static constexpr long long kQuietMs = 300;
    static constexpr long long kLongestWaitMs = 1500;

    void Add(long long nowMs);
    // Milliseconds from nowMs until the burst is due; 0 when it is due (or none is pending).
    long long WaitMs(long long nowMs) const;
    void Clear() { pending_ = false; }

  private:
    bool pending_ = false;
    long long first_ = 0;
    long long last_ = 0;
};

// One step that turns the side menu of one list of logs into that of another.
struct SideMenuEdit {
    enum Kind { RemoveLog, RemoveYear, AddYear, AddLog };
    Kind kind;
    int year;
    // RemoveLog: the log item's place under its year before the edit. AddYear: the year
    // item's place among the years after it. AddLog: the log item's place under its year
    // after it.
    std::size_t position = 0;
    std::size_t index = 0;  // AddLog: the log's index in the new list
};

// The edits, applied in order, that turn the side menu of shown (the logs it lists now)
// into that of listed (the logs the folder holds now); both sorted as SortReportLogs sorts.
// Items that stay are not touched, so what is selected and which years are open stay as they
// were. Removals come first, each place counted in the menu as it is at that step; then the
// new years and the new logs, in ascending places.
std::vector<SideMenuEdit> PlanSideMenuEdits(const std::vector<std::string>& shown,
                                            const std::vector<std::string>& listed);

}  // namespace zintor
