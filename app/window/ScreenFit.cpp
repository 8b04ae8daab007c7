// Keeping a restored window's title bar on a screen and its size within that screen.
#include "app/window/ScreenFit.h"

#include <algorithm>
#include <cstdint>

namespace zintor {
namespace {

constexpr std::int64_t kGripWidth = 48;  // enough of a title bar to take hold of it

std::int64_t Overlap(std::int64_t from1, std::int64_t to1, std::int64_t from2, std::int64_t to2) {
    return std::min(to1, to2) - std::max(from1, from2);
}

// How far the middle of the title bar lies from a screen (squared), 0 when on it. In floating
// point: a hand-edited position may lie billions of pixels away.
double DistanceSquared(const ScreenRect& screen, std::int64_t x, std::int64_t y) {
    auto dx = static_cast<double>(
        std::max({screen.x - x, std::int64_t{0}, x - (std::int64_t{screen.x} + screen.width)}));
    auto dy = static_cast<double>(
        std::max({screen.y - y, std::int64_t{0}, y - (std::int64_t{screen.y} + screen.height)}));
    return dx * dx + dy * dy;
}

bool ShowsTitleBar(const ScreenRect& screen, const ScreenRect& window, int titleBarHeight) {
    std::int64_t left = window.x, top = window.y;
    std::int64_t wide =
        Overlap(left, left + window.width, screen.x, std::int64_t{screen.x} + screen.width);
    std::int64_t high =
        Overlap(top, top + titleBarHeight, screen.y, std::int64_t{screen.y} + screen.height);
    return wide >= std::min<std::int64_t>(window.width, kGripWidth) && 2 * high >= titleBarHeight;
}

// window made no larger than screen and, when it had to shrink or lies off it, moved onto it.
ScreenRect MoveOnto(const ScreenRect& screen, const ScreenRect& window) {
    ScreenRect moved;
    moved.width = std::min(window.width, screen.width);
    moved.height = std::min(window.height, screen.height);
    moved.x = std::clamp(window.x, screen.x, screen.x + screen.width - moved.width);
    moved.y = std::clamp(window.y, screen.y, screen.y + screen.height - moved.height);
    return moved;
}

}  // namespace

ScreenRect FitOnScreen(const ScreenRect& window, const std::vector<ScreenRect>& screens,
                       int titleBarHeight) {
    if (screens.empty()) return window;
    for (const ScreenRect& screen : screens) {
        if (!ShowsTitleBar(screen, window, titleBarHeight)) continue;
        bool fits = window.width <= screen.width && window.height <= screen.height;
        return fits ? window : MoveOnto(screen, window);
    }
    std::int64_t middleX = std::int64_t{window.x} + window.width / 2,
                 middleY = std::int64_t{window.y} + titleBarHeight / 2;
    const ScreenRect* nearest = &screens.front();
    for (const ScreenRect& screen : screens) {
        if (DistanceSquared(screen, middleX, middleY) < DistanceSquared(*nearest, middleX, middleY))
            nearest = &screen;
    }
    return MoveOnto(*nearest, window);
}

}  // namespace zintor
