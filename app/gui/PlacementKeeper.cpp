// Putting the window back where the settings say, following its normal rectangle, and the
// place it leaves behind.
#include "app/gui/PlacementKeeper.h"

#include <cstdint>
#include <vector>

#include <wx/display.h>
#include <wx/toplevel.h>

#include "app/gui/DesktopWindow.h"
#include "app/window/ScreenFit.h"

namespace zintor {
namespace {

constexpr int kTitleBarHeight = 24;  // about what managers draw; enough to judge a saved place by
constexpr int kGeometrySettleMs = 250;  // a manager's moves and state changes come in bursts
constexpr int kMostSettleWaits = 8;     // for a manager that never confirms a rectangle

}  // namespace

PlacementKeeper::PlacementKeeper(wxTopLevelWindow& frame) : frame_(frame) {
    frame_.Bind(wxEVT_SIZE, &PlacementKeeper::OnFrameGeometry, this);
    frame_.Bind(wxEVT_MOVE, &PlacementKeeper::OnFrameGeometry, this);
    timer_.Bind(wxEVT_TIMER, &PlacementKeeper::OnSettled, this);
}

PlacementKeeper::~PlacementKeeper() {
    frame_.Unbind(wxEVT_SIZE, &PlacementKeeper::OnFrameGeometry, this);
    frame_.Unbind(wxEVT_MOVE, &PlacementKeeper::OnFrameGeometry, this);
}

// The saved rectangle comes back as it was, as long as some screen shows enough of its title
// bar to take hold of it and it is no larger than that screen's work area; a larger one is
// made as large as the work area and put on it. One whose title bar no screen shows (a screen
// since removed, a hand-edited value) is moved onto the nearest screen. One no screen could
// hold counts as none. The position counts as
// the user's, so that managers that place new windows themselves keep it.
void PlacementKeeper::Restore(const WindowSettings& saved) {
    constexpr std::int64_t kLargestSide = 32767;
    const WindowPlacement& placement = saved.placement;
    auto side = [](int from, int to) { return std::int64_t{to} - from; };
    maximizeWhenPlaced_ = saved.zoomed;
    if (saved.placed && side(placement.left, placement.right) > 0 &&
        side(placement.left, placement.right) <= kLargestSide &&
        side(placement.top, placement.bottom) > 0 &&
        side(placement.top, placement.bottom) <= kLargestSide) {
        std::vector<ScreenRect> screens;
        for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
            wxRect area = wxDisplay(i).GetClientArea();
            screens.push_back({area.x, area.y, area.width, area.height});
        }
        ScreenRect saved{placement.left, placement.top, placement.right - placement.left,
                         placement.bottom - placement.top};
        ScreenRect rect = FitOnScreen(saved, screens, kTitleBarHeight);
        frame_.SetSize(rect.x, rect.y, rect.width, rect.height);
        // The size set once more as the client size, as on a first start. A window whose last
        // size was set as its outer size is held back by the toolkit until the manager tells
        // the frame it draws, and then shown at a placeholder size of 2 x 1 pixels that
        // squeezes the menu bar below its least width. The frame the manager adds is taken off
        // once the manager has placed the window (OnSettled asks once more).
        frame_.SetClientSize(frame_.GetClientSize());
        MarkPositionAsUsers(frame_);
        restored_ = true;
        normalRect_ = wxRect(rect.x, rect.y, rect.width, rect.height);
    } else {
        frame_.SetClientSize(kDefaultClientWidth, kDefaultClientHeight);
        frame_.Centre();
        normalRect_ = frame_.GetRect();
    }
}

// Its place is looked at once the manager has placed it: a manager that put it elsewhere than
// asked, or at another size, is asked once more. Only then is it maximised, so that the
// manager keeps the normal rectangle behind the maximised window and returns to it.
void PlacementKeeper::Mapped() {
    placing_ = true;
    timer_.StartOnce(kGeometrySettleMs);
}

// A manager reports a new size and a new state in separate messages: the rectangle is taken
// once they have all arrived, and only when the manager has confirmed it (the window then
// neither maximised nor minimised, framed, and no resize under way), so that no passing
// rectangle of a change of state becomes the normal one.
void PlacementKeeper::OnFrameGeometry(wxEvent& event) {
    if (frame_.IsShown()) {
        settleWaits_ = 0;
        timer_.StartOnce(kGeometrySettleMs);
    }
    event.Skip();
}

bool PlacementKeeper::MendPlacement() {
    placing_ = false;
    if (restored_ && !frame_.IsMaximized() && OuterFrameRect(frame_) != normalRect_) {
        SetOuterFrameRect(frame_, normalRect_);
        restored_ = false;  // asked once
        placing_ = true;
        timer_.StartOnce(kGeometrySettleMs);
        return true;
    }
    if (maximizeWhenPlaced_) {
        maximizeWhenPlaced_ = false;
        frame_.Maximize();
        return true;
    }
    return false;
}

void PlacementKeeper::OnSettled(wxTimerEvent&) {
    if (!IsMapped(frame_)) return;
    if (placing_ && MendPlacement()) return;
    wxRect outer;
    switch (ReadSettledFrame(frame_, outer)) {
        case FrameVerdict::Take:
            normalRect_ = outer;
            settleWaits_ = 0;
            settledNormal_ = true;
            break;
        case FrameVerdict::Wait:  // asked again a little later, a few times at most
            if (++settleWaits_ < kMostSettleWaits) timer_.StartOnce(kGeometrySettleMs);
            break;
        case FrameVerdict::NotANormal:
            settledNormal_ = false;
            break;
    }
}

// The outer rectangle as the manager has it: the frame it draws is part of the place the
// window comes back to. One the manager has not confirmed (still at work on a change of state
// or size) gives way to the last one it did. A window closed the moment it leaves the
// maximised state can look normal while it still has the maximised size: only a window that
// was normal when it last settled is read again here.
void PlacementKeeper::PlaceAtClose(WindowState& closing) const {
    bool maximized = frame_.IsMaximized();
    wxRect normal = normalRect_, now;
    if (settledNormal_ && ReadSettledFrame(frame_, now) == FrameVerdict::Take) normal = now;
    closing.zoomed = maximized;
    closing.placement = PlacementAtClose(normal.x, normal.y, normal.width, normal.height, maximized,
                                         frame_.IsIconized());
}

}  // namespace zintor
