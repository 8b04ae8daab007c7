// How wide the side menu is: wide enough for the longest log name of its folder in the
// desktop's font, within bounds that leave the browser pane most of the window.
#pragma once

#include <vector>

namespace zintor {

// The side menu is never narrower than this, however short its names are.
constexpr int kNarrowestSideMenu = 195;

// The side menu's width in pixels: room for the widest of labelWidths (the log names as the
// tree's font draws them) after labelLeft (where a log's name begins in the tree: the indent,
// the expander and the lines) and rightRoom (a margin and the tree's scroll bar). Never less
// than kNarrowestSideMenu; beyond that it grows to at most a third of windowWidth (the width
// of the client area the side menu shares with the pane), so a narrow window keeps the menu
// it had and a long name is cut (its tooltip shows it whole) rather than crowd out the page.
int SideMenuWidth(const std::vector<int>& labelWidths, int labelLeft, int rightRoom,
                  int windowWidth);

}  // namespace zintor
