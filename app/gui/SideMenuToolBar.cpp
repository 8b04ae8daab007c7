// Painting and clicks of the side-menu toolbar.
#include "app/gui/SideMenuToolBar.h"

#include <wx/dcbuffer.h>
#include <wx/image.h>

#include "app/gui/SideMenuLayout.h"
#include "resources/ResourceSet.h"
#include "resources/ToolbarImages.h"

namespace zintor {
namespace {

constexpr int kButtonWidth = 17;  // the 10-pixel image with room around it
constexpr int kButtonHeight = 16;
constexpr int kSeparatorWidth = 7;
constexpr int kCommands[3] = {kCmdCollapseAll, kCmdExpandAll, kCmdSideMenu};

wxBitmap BitmapOf(const ToolbarImage& pixels) {
    wxImage image(10, 10);
    image.InitAlpha();
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            char c = pixels[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            unsigned char r = 0, g = 0, b = 0, a = 255;
            switch (c) {
                case 'g':
                    r = 0, g = 96, b = 0;
                    break;
                case 'l':
                    r = 170, g = 214, b = 170;
                    break;
                case 'd':
                    r = 70, g = 70, b = 70;
                    break;
                default:
                    a = 0;
                    break;
            }
            image.SetRGB(x, y, r, g, b);
            image.SetAlpha(x, y, a);
        }
    }
    return wxBitmap(image);
}

}  // namespace

SideMenuToolBar::SideMenuToolBar(wxWindow* parent, wxWindow* commandTarget, int uiLanguage)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(kToolBarWidth, kStripHeight),
               wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      commandTarget_(commandTarget) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    images_ = {BitmapOf(kCollapseAllImage), BitmapOf(kExpandAllImage), BitmapOf(kSideMenuImage)};
    const ResourceSet& texts = ResourcesFor(uiLanguage);
    for (int i = 0; i < 3; ++i)
        tips_[static_cast<std::size_t>(i)] =
            wxString::FromUTF8(texts.toolTips[i].data(), texts.toolTips[i].size());
    Bind(wxEVT_PAINT, &SideMenuToolBar::OnPaint, this);
    Bind(wxEVT_MOTION, &SideMenuToolBar::OnMouse, this);
    Bind(wxEVT_LEFT_DOWN, &SideMenuToolBar::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &SideMenuToolBar::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &SideMenuToolBar::OnMouse, this);
    Bind(wxEVT_LEAVE_WINDOW, &SideMenuToolBar::OnMouse, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        pressed_ = -1;
        Refresh();
    });
}

wxRect SideMenuToolBar::ButtonRect(int button) const {
    return wxRect(button * (kButtonWidth + kSeparatorWidth), 1, kButtonWidth, kButtonHeight);
}

int SideMenuToolBar::ButtonAt(const wxPoint& point) const {
    for (int i = 0; i < 3; ++i) {
        if (ButtonRect(i).Contains(point)) return i;
    }
    return -1;
}

int SideMenuToolBar::CommandOf(int button) const {
    return button >= 0 && button < 3 ? kCommands[button] : 0;
}

void SideMenuToolBar::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(SideMenuBackColour()));
    dc.Clear();
    for (int i = 0; i < 3; ++i) {
        wxRect r = ButtonRect(i);
        if (i == hot_ || i == pressed_) {
            bool down = i == pressed_ && i == hot_;
            dc.SetPen(wxPen(down ? wxColour(90, 130, 90) : wxColour(150, 180, 150)));
            dc.SetBrush(wxBrush(down ? wxColour(205, 225, 195) : wxColour(232, 244, 220)));
            dc.DrawRectangle(r);
        }
        int offset = (i == pressed_ && i == hot_) ? 1 : 0;
        dc.DrawBitmap(images_[static_cast<std::size_t>(i)], r.x + (r.width - 10) / 2 + offset,
                      r.y + (r.height - 10) / 2 + offset, true);
    }
    // The separators: a faint vertical line in the middle of each gap.
    dc.SetPen(wxPen(wxColour(214, 214, 190)));
    for (int i = 1; i < 3; ++i) {
        int x = ButtonRect(i).x - kSeparatorWidth / 2 - 1;
        dc.DrawLine(x, 3, x, kStripHeight - 3);
    }
}

void SideMenuToolBar::OnMouse(wxMouseEvent& event) {
    int hot = event.Leaving() ? -1 : ButtonAt(event.GetPosition());
    if (hot != hot_) {
        hot_ = hot;
        if (hot >= 0) {
            SetToolTip(tips_[static_cast<std::size_t>(hot)]);
        } else {
            UnsetToolTip();
        }
        Refresh();
    }
    if (event.LeftDown() || event.LeftDClick()) {
        pressed_ = hot;
        if (!HasCapture()) CaptureMouse();
        Refresh();
    } else if (event.LeftUp()) {
        if (HasCapture()) ReleaseMouse();
        int clicked = pressed_ == hot ? hot : -1;
        pressed_ = -1;
        Refresh();
        if (clicked >= 0 && commandTarget_) {
            wxQueueEvent(commandTarget_,
                         new wxCommandEvent(wxEVT_MENU, ToolkitId(CommandOf(clicked))));
        }
    }
    event.Skip();
}

}  // namespace zintor
