// Where a saved window rectangle may come back: somewhere its title bar can be reached, so
// that the user can always take hold of the window and move it, and no larger than the screen
// it comes back on, so that no edge of it lies beyond reach.
#pragma once

#include <vector>

namespace zintor {

struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// window (the outer rectangle, frame included) as it is when some screen shows enough of its
// title bar (the top titleBarHeight pixels) to grip it and the window is no wider and no
// higher than that screen; one larger than it is made as large as the screen and moved onto
// it. A window whose title bar no screen shows is moved onto the nearest screen, and made no
// larger than that screen. screens are the parts of the screens windows may use (their work
// areas); with none, window is kept.
ScreenRect FitOnScreen(const ScreenRect& window, const std::vector<ScreenRect>& screens,
                       int titleBarHeight);

}  // namespace zintor
