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

// What the display server says of the window when its rectangle is read, to judge whether that
// rectangle is one the window manager has settled on.
struct FrameReport {
    bool framesWindows = false;  // the manager tells the frames it draws (_NET_FRAME_EXTENTS)
    bool framed = false;         // ... and has told this window's
    bool normalState = false;    // neither maximised, full-screen nor hidden
    int serverWidth = 0, serverHeight = 0;    // the window's size on the server now
    int toolkitWidth = 0, toolkitHeight = 0;  // the size the toolkit last heard of
};

enum class FrameVerdict {
    Take,        // the window's normal rectangle, as the manager has it
    Wait,        // the manager is still at work: a moment later may tell
    NotANormal,  // maximised, full-screen or hidden: the normal rectangle lies behind it
};

// A rectangle is taken only when the manager has confirmed it: the window is in its normal
// state, the manager has framed it (when it frames windows at all), and the size on the
// server is the one the toolkit was told, so that no resize is under way. A busy manager
// otherwise gives passing rectangles, such as the window's corner at 0,0 while it is being
// un-maximised, or the least size the toolkit allows.
FrameVerdict JudgeFrameReport(const FrameReport& report);

}  // namespace zintor
