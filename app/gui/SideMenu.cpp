// The side menu of the main window: the report logs beside the last log, one item per year
// with the year's logs under it; the latest year is expanded and selected. It follows the
// folder as logs come and go.
#include <cstdint>
#include <cstdio>

#include <wx/utils.h>

#include "app/gui/ReportDlg.h"
#include "logs/ReportLogList.h"
#include "platform/DisplayText.h"
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

wxString YearLabel(int year) {
    char label[16];
    std::snprintf(label, sizeof label, "%04d", year);
    return label;
}

wxString LogLabel(const std::string& path) {
    return wxString::FromUTF8(ReadableUtf8(FileNameOf(path)));
}

wxTreeItemId ChildAt(const wxTreeCtrl& tree, const wxTreeItemId& parent, std::size_t position) {
    wxTreeItemIdValue cookie;
    wxTreeItemId item = tree.GetFirstChild(parent, cookie);
    for (; item.IsOk() && position > 0; --position) item = tree.GetNextSibling(item);
    return item;
}

wxTreeItemId YearItem(const wxTreeCtrl& tree, int year) {
    wxTreeItemIdValue cookie;
    wxTreeItemId item = tree.GetFirstChild(tree.GetRootItem(), cookie);
    while (item.IsOk() && tree.GetItemText(item) != YearLabel(year))
        item = tree.GetNextSibling(item);
    return item;
}

// Applies the edits in their order; the year items added.
std::vector<wxTreeItemId> ApplyEdits(wxTreeCtrl& tree, const std::vector<SideMenuEdit>& edits,
                                     const std::vector<std::string>& logFiles) {
    std::vector<wxTreeItemId> newYears;
    for (const SideMenuEdit& edit : edits) {
        wxTreeItemId year = YearItem(tree, edit.year);
        switch (edit.kind) {
            case SideMenuEdit::RemoveYear:
                tree.Delete(year);
                break;
            case SideMenuEdit::RemoveLog: {
                // The tree would pass the selection on to the next log, and so open it.
                wxTreeItemId item = ChildAt(tree, year, edit.position);
                if (tree.IsSelected(item)) tree.SelectItem(year);
                tree.Delete(item);
                break;
            }
            case SideMenuEdit::AddYear:
                newYears.push_back(
                    tree.InsertItem(tree.GetRootItem(), edit.position, YearLabel(edit.year)));
                break;
            case SideMenuEdit::AddLog:
                tree.InsertItem(year, edit.position, LogLabel(logFiles[edit.index]), -1, -1,
                                new LogItemData(edit.index));
                break;
        }
    }
    return newYears;
}

// The items that stayed now stand at other places of the new list.
void Renumber(wxTreeCtrl& tree, const std::vector<std::string>& logFiles) {
    wxTreeItemIdValue yearCookie, logCookie;
    wxTreeItemId year = tree.GetFirstChild(tree.GetRootItem(), yearCookie);
    for (const YearGroup& group : GroupReportLogsByYear(logFiles)) {
        if (!year.IsOk()) break;
        wxTreeItemId item = tree.GetFirstChild(year, logCookie);
        for (std::size_t index : group.files) {
            if (!item.IsOk()) break;
            if (auto* data = dynamic_cast<LogItemData*>(tree.GetItemData(item)))
                data->index = index;
            item = tree.GetNextSibling(item);
        }
        year = tree.GetNextSibling(year);
    }
}

}  // namespace

void CReportDlg::BuildSideMenu() {
    const std::vector<std::string>& logFiles = navigator_.ListSideMenu();
    tree->Freeze();
    tree->DeleteAllItems();
    wxTreeItemId root = tree->AddRoot(wxEmptyString);
    wxTreeItemId latest;
    for (const YearGroup& group : GroupReportLogsByYear(logFiles)) {
        latest = tree->AppendItem(root, YearLabel(group.year));
        for (std::size_t index : group.files) {
            tree->AppendItem(latest, LogLabel(logFiles[index]), -1, -1, new LogItemData(index));
        }
    }
    if (latest.IsOk()) tree->Expand(latest);
    tree->Thaw();
    tree->Refresh();
    if (latest.IsOk()) tree->SelectItem(latest);
    MeasureSideMenu();
}

void CReportDlg::MeasureSideMenu() {
    logLabelWidths_.clear();
    for (const std::string& path : navigator_.LogFiles()) {
        // The tree draws a label with a pixel of room on either side.
        logLabelWidths_.push_back(tree->GetTextExtent(LogLabel(path)).x + 2);
    }
}

// The menu follows the folder: logs that came are added under their years (a new year opens
// to show them), logs that went are taken out, and every other item stays as it was, selected
// or not, open or closed. A selected log that went leaves its year selected (a year item
// opens nothing).
void CReportDlg::UpdateSideMenu() {
    std::vector<SideMenuEdit> edits = navigator_.RelistSideMenu();
    if (edits.empty()) return;
    tree->Freeze();
    std::vector<wxTreeItemId> newYears = ApplyEdits(*tree, edits, navigator_.LogFiles());
    Renumber(*tree, navigator_.LogFiles());
    for (const wxTreeItemId& item : newYears) tree->Expand(item);
    tree->Thaw();
    tree->UnsetToolTip();  // it may belong to an item no longer there
    MeasureSideMenu();
    if (sideMenu) LayoutAndRepaint();  // a longer name may widen the menu, a shorter narrow it
}

// Collapse all and Expand all act on the year items, the top level of the tree.
void CReportDlg::ExpandYears(bool expand) {
    wxTreeItemId root = tree->GetRootItem();
    if (!root.IsOk()) return;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId item = tree->GetFirstChild(root, cookie); item.IsOk();
         item = tree->GetNextSibling(item)) {
        if (expand) {
            tree->Expand(item);
        } else {
            tree->Collapse(item);
        }
    }
}

void CReportDlg::OnTreeSelChanged(wxTreeEvent& event) {
    wxTreeItemId item = event.GetItem();
    if (!item.IsOk()) return;
    auto* data = dynamic_cast<LogItemData*>(tree->GetItemData(item));
    wxBusyCursor wait;
    navigator_.ChooseSideMenuItem(tree->GetItemText(item).utf8_string(),
                                  data ? data->index : SIZE_MAX);
}

// A name the menu cuts off shows whole as the item's tooltip; other items have none.
void CReportDlg::OnTreeToolTip(wxTreeEvent& event) {
    wxTreeItemId item = event.GetItem();
    wxRect label;
    if (item.IsOk() && tree->GetBoundingRect(item, label, true) &&
        label.GetRight() >= tree->GetClientSize().x) {
        event.SetToolTip(tree->GetItemText(item));
    } else {
        event.Veto();
    }
}

}  // namespace zintor
