// A clickable text: drawn in the link colour and font on a white ground, with the hand
// cursor; a click calls the owner back.
#pragma once

#include <functional>

#include <wx/window.h>

namespace zintor {

class LinkLabel : public wxWindow {
  public:
    LinkLabel(wxWindow* parent, int id, const wxString& text, const wxRect& rect,
              const wxFont& font, const wxColour& colour, std::function<void()> onClick);

    const wxColour& TextColour() const { return colour_; }

  private:
    void OnPaint(wxPaintEvent& event);

    wxString text_;
    wxColour colour_;
    std::function<void()> onClick_;
    bool pressed_ = false;
};

}  // namespace zintor
