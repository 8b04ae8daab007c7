// The side menu's place and look in the main window's client area, shared by the window's
// layout and painting and by the toolbar above the tree.
#pragma once

#include <wx/colour.h>

namespace zintor {

constexpr int kSideMenuWidth = 195;  // the tree and the strip above it
constexpr int kDividerWidth = 2;     // between the tree and the browser pane
constexpr int kStripHeight = 18;     // the strip above the tree, behind the toolbar
constexpr int kToolBarLeft = 127;
constexpr int kToolBarWidth = 66;
// With the side menu shown the browser pane reaches this far past the right edge, so that
// no border of it shows there.
constexpr int kPaneOverhang = 4;

inline wxColour SideMenuTextColour() { return wxColour(0, 96, 0); }
// The tree's background and the strip's.
inline wxColour SideMenuBackColour() { return wxColour(255, 255, 235); }

}  // namespace zintor
