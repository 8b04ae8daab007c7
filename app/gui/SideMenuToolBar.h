// The small flat toolbar above the side menu: collapse all, expand all and the side-menu
// switch, 10 x 10 images on the strip's colour. A click sends the button's command to the
// main window.
#pragma once

#include <array>

#include <wx/bitmap.h>
#include <wx/window.h>

namespace zintor {

class SideMenuToolBar : public wxWindow {
  public:
    SideMenuToolBar(wxWindow* parent, wxWindow* commandTarget, int uiLanguage);

    // The button under a point of the toolbar, or -1 over a separator or outside.
    int ButtonAt(const wxPoint& point) const;
    wxRect ButtonRect(int button) const;
    int CommandOf(int button) const;

  private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);

    wxWindow* commandTarget_;
    std::array<wxBitmap, 3> images_;
    std::array<wxString, 3> tips_;
    int hot_ = -1;
    int pressed_ = -1;
};

}  // namespace zintor
