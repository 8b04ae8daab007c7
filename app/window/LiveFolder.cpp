// Which folder changes matter to the window, bursts of them, and side-menu edits.
#include "app/window/LiveFolder.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "logs/ReportLogList.h"
#include "platform/DisplayText.h"
#include "platform/PathParts.h"

namespace zintor {
namespace {

ChangeEffect EffectOnPath(FolderChange change, const std::string& path, const std::string& shownLog,
                          const std::string& sideMenuFolder) {
    ChangeEffect effect;
    if (path.empty()) return effect;
    if (path.back() == '/') {
        // The watched folder itself went away, or an entry whose name the watcher could not
        // decode (bytes that are no UTF-8) changed: the watcher names the folder alone then.
        // For the page only a removal counts, and new content when the shown log's own name
        // is no text: the page and its temporary file are created and renamed, never removed
        // or written in place, so the window's own writes cannot come back to it this way.
        // Any change but new content may be a log coming or going: the menu is listed anew,
        // which writes nothing.
        bool shownHere = !shownLog.empty() && FolderOf(shownLog) == path;
        std::string shownName = FileNameOf(shownLog);
        effect.regenerate =
            shownHere &&
            (change == FolderChange::Removed ||
             (change == FolderChange::Modified && ReadableUtf8(shownName) != shownName));
        effect.relist = change != FolderChange::Modified && path == sideMenuFolder;
        // A folder gone is watched again, from above until it is back.
        effect.rewatch = change == FolderChange::Removed;
        return effect;
    }
    effect.regenerate = path == shownLog;
    effect.relist = change != FolderChange::Modified && !sideMenuFolder.empty() &&
                    FolderOf(path) == sideMenuFolder && IsReportLogFileName(FileNameOf(path));
    return effect;
}

// The logs of each year item, in menu order.
std::map<int, std::vector<std::string>> LogsByYear(const std::vector<YearGroup>& groups,
                                                   const std::vector<std::string>& logs) {
    std::map<int, std::vector<std::string>> years;
    for (const YearGroup& group : groups) {
        std::vector<std::string>& paths = years[group.year];
        for (std::size_t index : group.files) paths.push_back(logs[index]);
    }
    return years;
}

bool Holds(const std::vector<std::string>& sorted, const std::string& path) {
    return std::binary_search(sorted.begin(), sorted.end(), path);
}

std::string AsFolder(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

}  // namespace

ChangeEffect EffectOfChange(FolderChange change, const std::string& path,
                            const std::string& newPath, const std::string& shownLog,
                            const std::string& sideMenuFolder) {
    if (change == FolderChange::Overflowed) return {!shownLog.empty(), !sideMenuFolder.empty()};
    ChangeEffect effect = EffectOnPath(change, path, shownLog, sideMenuFolder);
    if (newPath != path) effect |= EffectOnPath(change, newPath, shownLog, sideMenuFolder);
    return effect;
}

std::string WatchPathOf(const std::string& path) {
    std::string folder = FolderOf(path);
    std::error_code error;
    std::string real = std::filesystem::canonical(folder.empty() ? "." : folder, error).string();
    if (error || real.empty()) return {};
    if (real.back() != '/') real += '/';
    return real + FileNameOf(path);
}

bool MakesAwaitedFolder(FolderChange change, const std::string& path, const std::string& newPath,
                        const std::vector<std::string>& awaited) {
    if (awaited.empty()) return false;
    if (change == FolderChange::Overflowed) return true;
    if (change != FolderChange::Created && change != FolderChange::Renamed) return false;
    const std::string made = AsFolder(change == FolderChange::Renamed ? newPath : path);
    if (made == "/") return false;
    for (const std::string& folder : awaited) {
        if (folder.starts_with(made)) return true;
    }
    return false;
}

WatchPlace WatchPlaceOf(const std::string& folder) {
    std::error_code error;
    std::filesystem::path wanted = std::filesystem::absolute(folder, error).lexically_normal();
    if (error) return {};
    std::string missing;  // the parts below the folder that exists, each ending in '/'
    for (std::filesystem::path at = wanted;;) {
        std::string real = std::filesystem::canonical(at, error).string();
        if (!error && std::filesystem::is_directory(real, error)) {
            real = AsFolder(real);
            return {real, missing.empty() ? std::string() : real + missing};
        }
        if (!at.filename().empty()) missing = at.filename().string() + "/" + missing;
        std::filesystem::path up = at.parent_path();
        if (up.empty() || up == at) return {};
        at = up;
    }
}

std::string LinkTargetOf(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_symlink(path, error)) return {};
    std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error) return {};
    if (target.is_relative()) target = std::filesystem::path(FolderOf(path)) / target;
    // Resolved as far as it exists: the target itself may be gone for now.
    std::string resolved = std::filesystem::weakly_canonical(target, error).string();
    return error ? std::string() : resolved;
}

void ChangeBurst::Add(long long nowMs) {
    if (!pending_) first_ = nowMs;
    pending_ = true;
    last_ = nowMs;
}

long long ChangeBurst::WaitMs(long long nowMs) const {
    if (!pending_) return 0;
    long long due = std::min(last_ + kQuietMs, first_ + kLongestWaitMs);
    return std::max(0LL, due - nowMs);
}

std::vector<SideMenuEdit> PlanSideMenuEdits(const std::vector<std::string>& shown,
                                            const std::vector<std::string>& listed) {
    const std::vector<YearGroup> groups = GroupReportLogsByYear(listed);
    const auto before = LogsByYear(GroupReportLogsByYear(shown), shown);
    const auto after = LogsByYear(groups, listed);
    std::vector<SideMenuEdit> edits;
    for (const auto& [year, paths] : before) {
        auto kept = after.find(year);
        if (kept == after.end()) {
            edits.push_back({SideMenuEdit::RemoveYear, year});
            continue;
        }
        for (std::size_t i = paths.size();
             i-- > 0;) {  // from the last, so that earlier places hold
            if (!Holds(kept->second, paths[i])) edits.push_back({SideMenuEdit::RemoveLog, year, i});
        }
    }
    std::size_t place = 0;
    for (const auto& entry : after) {
        if (!before.contains(entry.first))
            edits.push_back({SideMenuEdit::AddYear, entry.first, place});
        ++place;
    }
    for (const YearGroup& group : groups) {
        auto old = before.find(group.year);
        for (std::size_t i = 0; i < group.files.size(); ++i) {
            const std::string& path = listed[group.files[i]];
            if (old == before.end() || !Holds(old->second, path)) {
                edits.push_back({SideMenuEdit::AddLog, group.year, i, group.files[i]});
            }
        }
    }
    return edits;
}

}  // namespace zintor
