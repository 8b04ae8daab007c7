// The side menu of the main window: a tree of the report logs, one item per year with the
// year's logs under it, the toolbar on the strip above it, and their place in the window's
// client area. It knows nothing of where the logs come from: it is filled and edited from
// lists of log paths, and says which item the user chose.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <wx/gdicmn.h>

#include "app/window/LiveFolder.h"

class wxDC;
class wxTreeCtrl;
class wxTreeEvent;
class wxWindow;

namespace zintor {

class SideMenuToolBar;

class SideMenuPanel {
  public:
    // An item chosen: its label, and its place in the list the menu was filled from
    // (SIZE_MAX for a year item).
    using ChooseItem = std::function<void(const std::string& label, std::size_t index)>;

    // The tree, hidden, as a child of parent.
    SideMenuPanel(wxWindow* parent, ChooseItem choose);
    ~SideMenuPanel();
    SideMenuPanel(const SideMenuPanel&) = delete;
    SideMenuPanel& operator=(const SideMenuPanel&) = delete;

    // The toolbar, whose buttons post their commands to commandTarget, and the tree's colours.
    void AddToolBar(wxWindow* commandTarget, int uiLanguage);

    // The tree filled anew from logFiles; the latest year is expanded and selected.
    void Fill(const std::vector<std::string>& logFiles);
    // The edits applied that turn the menu into one of logFiles: logs that came are added
    // under their years (a new year opens to show them), logs that went are taken out, and
    // every other item stays as it was, selected or not, open or closed.
    void Apply(const std::vector<SideMenuEdit>& edits, const std::vector<std::string>& logFiles);
    // Collapse all and Expand all act on the year items, the top level of the tree.
    void ExpandYears(bool expand);

    bool Shown() const { return shown_; }
    void SetShown(bool shown) { shown_ = shown; }

    // Lays out the tree and the toolbar in a client area of size client (hides them when the
    // menu is not shown); the rectangle left for the browser pane.
    wxRect Layout(const wxSize& client);
    // The divider between tree and pane and the strip behind the toolbar, in a client area
    // height pixels high.
    void Paint(wxDC& dc, int height) const;

    wxTreeCtrl* Tree() const { return tree_; }
    SideMenuToolBar* ToolBar() const { return toolBar_; }

  private:
    // The widths of the log names as the tree's font draws them, for the menu's width.
    void Measure(const std::vector<std::string>& logFiles);
    void OnSelChanged(wxTreeEvent& event);
    void OnToolTip(wxTreeEvent& event);

    wxTreeCtrl* tree_;
    SideMenuToolBar* toolBar_ = nullptr;
    ChooseItem choose_;
    bool shown_ = false;
    std::vector<int> labelWidths_;
    int width_;  // as laid out last
};

}  // namespace zintor
