// The side menu's place and look in the main window's client area, shared by the window's
// layout and painting and by the toolbar above the tree.
#pragma once

#include <wx/colour.h>

namespace zintor {

// The tree and the strip above it are as wide as SideMenuWidth (app/window/SideMenuWidth.h) says.
constexpr int kDividerWidth = 2;  // between the tree and the browser pane
constexpr int kStripHeight = 18;  // the strip above the tree, behind the toolbar
constexpr int kToolBarWidth = 66;
constexpr int kToolBarRightGap = 2;  // between the toolbar and the strip's right end
// Room right of the longest name: a margin besides the tree's vertical scroll bar.
constexpr int kSideMenuNameMargin = 4;
// With the side menu shown the browser pane reaches this far past the right edge, so that
// no border of it shows there.
constexpr int kPaneOverhang = 4;

inline wxColour SideMenuTextColour() { return wxColour(0, 96, 0); }
// The tree's background and the strip's.
inline wxColour SideMenuBackColour() { return wxColour(255, 255, 235); }

}  // namespace zintor
