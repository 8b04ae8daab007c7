// The side menu of the main window: the report logs beside the last log, one item per year
// with the year's logs under it; the latest year is expanded and selected. It follows the
// folder as logs come and go, and lays out the tree and toolbar beside the browser pane.
#include "app/gui/SideMenuPanel.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

#include <wx/dc.h>
#include <wx/settings.h>
#include <wx/treectrl.h>
#include <wx/utils.h>

#include "app/gui/SideMenuLayout.h"
#include "app/gui/SideMenuToolBar.h"
#include "app/window/SideMenuWidth.h"
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

SideMenuPanel::SideMenuPanel(wxWindow* parent, ChooseItem choose)
    : tree_(new wxTreeCtrl(parent, wxID_ANY, wxPoint(0, kStripHeight),
                           wxSize(kNarrowestSideMenu, 200),
                           wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT |
                               wxTR_FULL_ROW_HIGHLIGHT | wxTR_SINGLE | wxBORDER_NONE)),
      choose_(std::move(choose)),
      width_(kNarrowestSideMenu) {
    tree_->Hide();
    tree_->Bind(wxEVT_TREE_SEL_CHANGED, &SideMenuPanel::OnSelChanged, this);
    tree_->Bind(wxEVT_TREE_ITEM_GETTOOLTIP, &SideMenuPanel::OnToolTip, this);
}

// The tree outlives the panel until the window's children go: it calls on it no more.
SideMenuPanel::~SideMenuPanel() {
    tree_->Unbind(wxEVT_TREE_SEL_CHANGED, &SideMenuPanel::OnSelChanged, this);
    tree_->Unbind(wxEVT_TREE_ITEM_GETTOOLTIP, &SideMenuPanel::OnToolTip, this);
}

void SideMenuPanel::AddToolBar(wxWindow* commandTarget, int uiLanguage) {
    toolBar_ = new SideMenuToolBar(tree_->GetParent(), commandTarget, uiLanguage);
    tree_->SetForegroundColour(SideMenuTextColour());
    tree_->SetBackgroundColour(SideMenuBackColour());
}

void SideMenuPanel::Fill(const std::vector<std::string>& logFiles) {
    wxTreeCtrl* tree = tree_;
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
    Measure(logFiles);
}

void SideMenuPanel::Measure(const std::vector<std::string>& logFiles) {
    labelWidths_.clear();
    for (const std::string& path : logFiles) {
        // The tree draws a label with a pixel of room on either side.
        labelWidths_.push_back(tree_->GetTextExtent(LogLabel(path)).x + 2);
    }
}

// A selected log that went leaves its year selected (a year item opens nothing).
void SideMenuPanel::Apply(const std::vector<SideMenuEdit>& edits,
                          const std::vector<std::string>& logFiles) {
    if (edits.empty()) return;
    tree_->Freeze();
    std::vector<wxTreeItemId> newYears = ApplyEdits(*tree_, edits, logFiles);
    Renumber(*tree_, logFiles);
    for (const wxTreeItemId& item : newYears) tree_->Expand(item);
    tree_->Thaw();
    tree_->UnsetToolTip();  // it may belong to an item no longer there
    Measure(logFiles);
}

void SideMenuPanel::ExpandYears(bool expand) {
    wxTreeItemId root = tree_->GetRootItem();
    if (!root.IsOk()) return;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId item = tree_->GetFirstChild(root, cookie); item.IsOk();
         item = tree_->GetNextSibling(item)) {
        if (expand) {
            tree_->Expand(item);
        } else {
            tree_->Collapse(item);
        }
    }
}

wxRect SideMenuPanel::Layout(const wxSize& client) {
    int w = client.x, h = client.y;
    if (!shown_) {
        tree_->Hide();
        if (toolBar_) toolBar_->Hide();
        return wxRect(0, 0, w, h);
    }
    // Log names begin two indents and the spacing in (the hidden root's children, then
    // theirs); right of them the vertical scroll bar may come.
    int labelLeft = 2 * static_cast<int>(tree_->GetIndent() + tree_->GetSpacing());
    int rightRoom = kSideMenuNameMargin + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, tree_);
    width_ = SideMenuWidth(labelWidths_, labelLeft, rightRoom, w);
    tree_->SetSize(0, kStripHeight, width_, std::max(0, h - kStripHeight));
    tree_->Show();
    if (toolBar_) {
        toolBar_->SetSize(width_ - kToolBarRightGap - kToolBarWidth, 0, kToolBarWidth,
                          kStripHeight);
        toolBar_->Show();
    }
    int left = width_ + kDividerWidth;
    return wxRect(left, 0, std::max(0, w - left + kPaneOverhang), h);
}

void SideMenuPanel::Paint(wxDC& dc, int height) const {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.DrawRectangle(width_, 0, kDividerWidth, height);
    dc.SetBrush(wxBrush(SideMenuBackColour()));
    dc.DrawRectangle(0, 0, width_, kStripHeight);
}

void SideMenuPanel::OnSelChanged(wxTreeEvent& event) {
    wxTreeItemId item = event.GetItem();
    if (!item.IsOk()) return;
    auto* data = dynamic_cast<LogItemData*>(tree_->GetItemData(item));
    choose_(tree_->GetItemText(item).utf8_string(), data ? data->index : SIZE_MAX);
}

// A name the menu cuts off shows whole as the item's tooltip; other items have none.
void SideMenuPanel::OnToolTip(wxTreeEvent& event) {
    wxTreeItemId item = event.GetItem();
    wxRect label;
    if (item.IsOk() && tree_->GetBoundingRect(item, label, true) &&
        label.GetRight() >= tree_->GetClientSize().x) {
        event.SetToolTip(tree_->GetItemText(item));
    } else {
        event.Veto();
    }
}

}  // namespace zintor
