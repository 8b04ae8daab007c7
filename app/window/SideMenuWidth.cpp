// The side menu's width from the widths of its names and the window's.
#include "app/window/SideMenuWidth.h"

#include <algorithm>

namespace zintor {

int SideMenuWidth(const std::vector<int>& labelWidths, int labelLeft, int rightRoom,
                  int windowWidth) {
    int widest =
        labelWidths.empty() ? 0 : *std::max_element(labelWidths.begin(), labelWidths.end());
    // In 64 bits: a hand-made name or font could give sums past the int range.
    long long needed = static_cast<long long>(std::max(0, labelLeft)) + std::max(0, widest) +
                       std::max(0, rightRoom);
    long long widestAllowed = std::max(kNarrowestSideMenu, std::max(0, windowWidth) / 3);
    return static_cast<int>(std::clamp<long long>(needed, kNarrowestSideMenu, widestAllowed));
}

}  // namespace zintor
