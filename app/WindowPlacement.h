// The window placement kept in the settings file under Position: ten integers joined by
// ':' (flags, show state, minimised position, maximised position, and the normal, restored
// rectangle), so that the same line describes the window on any system.
#pragma once

#include <string>
#include <string_view>

namespace zintor {

struct WindowPlacement {
    static constexpr int kRestoreToMaximized = 2;  // flag: the window was maximised
    static constexpr int kShowNormal = 1;
    static constexpr int kShowMinimized = 2;
    static constexpr int kShowMaximized = 3;

    int flags = 0;
    int showCmd = kShowNormal;
    int minX = -1, minY = -1;  // -1 when unused
    int maxX = -1, maxY = -1;
    int left = 0, top = 0, right = 0, bottom = 0;  // the normal rectangle, frame included
};

// Converts text with "%i:%i:%i:%i:%i:%i:%i:%i:%i:%i" into the ten fields (each an optional
// sign, then decimal, 0x-hexadecimal or 0-octal digits). True exactly when all ten convert;
// fields converted before a failure keep their new values.
bool ParseWindowPlacement(std::string_view text, WindowPlacement& placement);
std::string FormatWindowPlacement(const WindowPlacement& placement);

// The placement to store when the window closes: the normal rectangle (the one a maximised
// window returns to), the maximised flag, and the show state.
WindowPlacement PlacementAtClose(int left, int top, int width, int height, bool maximized,
                                 bool minimized);

}  // namespace zintor
