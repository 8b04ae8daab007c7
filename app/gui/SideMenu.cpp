// The side menu of the main window: the report logs beside the last log, one item per year
// with the year's logs under it; the latest year is expanded and selected.
#include <cstdio>

#include "app/DisplayText.h"
#include "app/gui/ReportDlg.h"
#include "logs/ReportLogList.h"
#include "platform/PathParts.h"

namespace zintor {
namespace {

// A file item's place in logFiles: the item's data, not its label, names the file, whose
// name may hold bytes that are no text.
class LogItemData : public wxTreeItemData {
public:
    explicit LogItemData(std::size_t index) : index(index) {}
    std::size_t index;
};

}  // namespace

void CReportDlg::BuildSideMenu() {
    logFiles = ListReportLogs(SideMenuDirectory(logFileSetting, modulePath));
    SortReportLogs(logFiles);

    tree->Freeze();
    tree->DeleteAllItems();
    wxTreeItemId root = tree->AddRoot(wxEmptyString);
    wxTreeItemId latest;
    for (const YearGroup& group : GroupReportLogsByYear(logFiles)) {
        char year[16];
        std::snprintf(year, sizeof year, "%04d", group.year);
        latest = tree->AppendItem(root, year);
        for (std::size_t index : group.files) {
            tree->AppendItem(latest, wxString::FromUTF8(ReadableUtf8(FileNameOf(logFiles[index]))), -1, -1,
                             new LogItemData(index));
        }
    }
    if (latest.IsOk()) tree->Expand(latest);
    tree->Thaw();
    tree->Refresh();
    if (latest.IsOk()) tree->SelectItem(latest);
}

// A file item writes and shows its log's page and becomes the last log; a year item does
// nothing.
void CReportDlg::OnTreeSelChanged(wxTreeEvent& event) {
    wxTreeItemId item = event.GetItem();
    if (!item.IsOk() || tree->GetItemText(item).utf8_string().find(".log") == std::string::npos) return;
    auto* data = dynamic_cast<LogItemData*>(tree->GetItemData(item));
    std::string path = data && data->index < logFiles.size() ? logFiles[data->index] : std::string();
    if (path.empty()) return;
    if (ShowLogReport(path)) settings_.WriteString(kSettingsSection, "LogFile", path);
}

// A name the menu cuts off shows whole as the item's tooltip; other items have none.
void CReportDlg::OnTreeToolTip(wxTreeEvent& event) {
    wxTreeItemId item = event.GetItem();
    wxRect label;
    if (item.IsOk() && tree->GetBoundingRect(item, label, true) && label.GetRight() >= tree->GetClientSize().x) {
        event.SetToolTip(tree->GetItemText(item));
    } else {
        event.Veto();
    }
}

}  // namespace zintor
