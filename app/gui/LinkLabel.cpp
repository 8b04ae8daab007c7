// Painting and clicks of the link label.
#include "app/gui/LinkLabel.h"

#include <wx/dcbuffer.h>

namespace zintor {

LinkLabel::LinkLabel(wxWindow* parent, int id, const wxString& text, const wxRect& rect,
                     const wxFont& font, const wxColour& colour, std::function<void()> onClick)
    : wxWindow(parent, id, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE),
      text_(text),
      colour_(colour),
      onClick_(std::move(onClick)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetFont(font);
    SetCursor(wxCursor(wxCURSOR_HAND));
    Bind(wxEVT_PAINT, &LinkLabel::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { pressed_ = true; });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
        bool click = pressed_ && GetClientRect().Contains(event.GetPosition());
        pressed_ = false;
        if (click && onClick_) CallAfter([this] { onClick_(); });
    });
}

void LinkLabel::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetFont(GetFont());
    dc.SetTextForeground(colour_);
    wxSize extent = dc.GetTextExtent(text_);
    wxSize size = GetClientSize();
    dc.DrawText(text_, (size.x - extent.x) / 2, (size.y - extent.y) / 2);
}

}  // namespace zintor
