// The main window's place: the saved rectangle put back at the start (on a screen that shows
// it), the manager's placement looked at once and mended, the window maximised only then, the
// normal rectangle followed as the manager settles moves and resizes, and the place the window
// comes back to read when it closes. What counts as a rectangle to keep is decided without the
// toolkit (app/window/WindowPlacement.h, app/window/ScreenFit.h); the manager is asked and read
// through DesktopWindow.
#pragma once

#include <wx/gdicmn.h>
#include <wx/timer.h>

#include "app/WindowSettings.h"

class wxTopLevelWindow;

namespace zintor {

class PlacementKeeper {
  public:
    static constexpr int kDefaultClientWidth = 670;  // the size of a first start
    static constexpr int kDefaultClientHeight = 450;

    // Follows the moves and resizes of frame from now on.
    explicit PlacementKeeper(wxTopLevelWindow& frame);
    ~PlacementKeeper();
    PlacementKeeper(const PlacementKeeper&) = delete;
    PlacementKeeper& operator=(const PlacementKeeper&) = delete;

    // The saved place put back, before the window is shown; saved.zoomed maximises it once
    // it is placed.
    void Restore(const WindowSettings& saved);
    // The window is on screen: its place is looked at once the manager has placed it.
    void Mapped();
    // The window closes: no more readings.
    void Stop() { timer_.Stop(); }
    // The place of a closing window into closing: maximised or not, and the normal rectangle.
    void PlaceAtClose(WindowState& closing) const;

  private:
    void OnFrameGeometry(wxEvent& event);
    void OnSettled(wxTimerEvent& event);
    // True when the manager's placement was mended or the window maximised: more to wait for.
    bool MendPlacement();

    wxTopLevelWindow& frame_;
    wxTimer timer_;          // the window's rectangle is read once moves and resizes settle
    wxRect normalRect_;      // the outer rectangle when neither maximised nor minimised
    bool restored_ = false;  // normalRect_ came from the settings
    bool placing_ = false;   // on screen, the manager's placement not yet looked at
    bool maximizeWhenPlaced_ = false;
    int settleWaits_ = 0;  // readings of the rectangle the manager has not confirmed yet
    // At its last settled look the window was neither maximised nor minimised.
    bool settledNormal_ = true;
};

}  // namespace zintor
