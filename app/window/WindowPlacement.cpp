// Position text <-> placement fields.
#include "app/window/WindowPlacement.h"

#include <cstdio>

namespace zintor {

bool ParseWindowPlacement(std::string_view text, WindowPlacement& p) {
    std::string s(text);  // the conversion needs a terminated string
    int n = std::sscanf(s.c_str(), "%i:%i:%i:%i:%i:%i:%i:%i:%i:%i", &p.flags, &p.showCmd, &p.minX,
                        &p.minY, &p.maxX, &p.maxY, &p.left, &p.top, &p.right, &p.bottom);
    return n == 10;
}

std::string FormatWindowPlacement(const WindowPlacement& p) {
    char text[160];
    std::snprintf(text, sizeof text, "%i:%i:%i:%i:%i:%i:%i:%i:%i:%i", p.flags, p.showCmd, p.minX,
                  p.minY, p.maxX, p.maxY, p.left, p.top, p.right, p.bottom);
    return text;
}

WindowPlacement PlacementAtClose(int left, int top, int width, int height, bool maximized,
                                 bool minimized) {
    WindowPlacement p;
    p.flags = maximized ? WindowPlacement::kRestoreToMaximized : 0;
    p.showCmd = minimized   ? WindowPlacement::kShowMinimized
                : maximized ? WindowPlacement::kShowMaximized
                            : WindowPlacement::kShowNormal;
    p.left = left;
    p.top = top;
    p.right = left + width;
    p.bottom = top + height;
    return p;
}

FrameVerdict JudgeFrameReport(const FrameReport& r) {
    if (!r.normalState) return FrameVerdict::NotANormal;
    if (r.framesWindows && !r.framed) return FrameVerdict::Wait;
    if (r.serverWidth <= 0 || r.serverHeight <= 0) return FrameVerdict::Wait;
    if (r.serverWidth != r.toolkitWidth || r.serverHeight != r.toolkitHeight)
        return FrameVerdict::Wait;
    return FrameVerdict::Take;
}

}  // namespace zintor
