// Building, painting and the link of the About box.
#include "app/gui/AboutDlg.h"

#include <cmath>

#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/stattext.h>

#include "app/gui/AddressOpener.h"
#include "app/gui/AppIcon.h"
#include "app/gui/LinkLabel.h"
#include "app/gui/MessageBox.h"
#include "app/gui/Utf8Text.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

// The box is laid out in dialog units of its 9-point font: 1 unit = 1.5 pixels both ways.
wxRect Units(double x, double y, double w, double h) {
    auto px = [](double u) { return static_cast<int>(std::lround(u * 1.5)); };
    return wxRect(px(x), px(y), px(w), px(h));
}

struct AboutLayout {
    wxRect name, credit, link, version;
};

const AboutLayout& LayoutFor(int uiLanguage) {
    static const AboutLayout kJapanese{Units(15, 51, 228, 16), Units(35, 115, 188, 16),
                                       Units(61, 91, 136, 16), Units(91, 69, 76, 12)};
    static const AboutLayout kEnglish{Units(15, 50, 228, 14), Units(27, 117, 204, 13),
                                      Units(61, 93, 136, 16), Units(100, 65, 59, 14)};
    return uiLanguage == 0 ? kJapanese : kEnglish;
}

// Arial of a given cell height (ascent plus descent) in pixels: the em is 2048/2288 of it.
wxFont ArialOfCellHeight(int cellHeight, wxFontWeight weight, bool underlined) {
    int em = static_cast<int>(std::lround(cellHeight * 2048.0 / 2288.0));
    wxFont font(wxFontInfo(wxSize(0, em))
                    .Family(wxFONTFAMILY_SWISS)
                    .FaceName("Arial")
                    .Weight(weight)
                    .Underlined(underlined));
    return font;
}

// A centred label whose text sits in the middle of its rectangle.
wxStaticText* Label(wxWindow* parent, int id, const wxString& text, const wxRect& rect,
                    const wxFont& font) {
    auto* label =
        new wxStaticText(parent, id, text, rect.GetPosition(), rect.GetSize(),
                         wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    if (font.IsOk()) label->SetFont(font);
    label->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    int textHeight = label->GetBestSize().y;
    if (textHeight < rect.height)
        label->SetSize(rect.x, rect.y + (rect.height - textHeight) / 2, rect.width, textHeight);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(wxWindow* parent, int uiLanguage, std::string address,
                     const wxString& linkText, const wxString& appName)
    : wxDialog(parent, wxID_ANY, FromUtf8(ResourcesFor(uiLanguage).aboutCaption), wxDefaultPosition,
               wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      siteAddress(std::move(address)),
      appName_(appName) {
    SetIcons(AppIcons());
    SetBackgroundColour(*wxWHITE);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetClientSize(Units(0, 0, 259, 152).GetSize());

    linkFont = ArialOfCellHeight(17, wxFONTWEIGHT_NORMAL, true);
    boldFont = ArialOfCellHeight(18, wxFONTWEIGHT_BOLD, false);

    const AboutLayout& layout = LayoutFor(uiLanguage);
    iconRect_ = Units(120, 24, 20, 20);
    frameRect_ = Units(8, 11, 242, 130);
    Label(this, kNameId, FromUtf8(ResourcesFor(uiLanguage).windowCaption), layout.name, boldFont);
    Label(this, kVersionId, FromUtf8(kVersionLabel), layout.version, boldFont);
    Label(this, wxID_ANY, FromUtf8(kCreditLine), layout.credit, wxNullFont);
    link_ = new LinkLabel(this, kLinkId, linkText, layout.link, linkFont, wxColour(0, 51, 255),
                          [this] { OnLinkClicked(); });
    link_->SetToolTip(wxString::FromUTF8(siteAddress));

    Bind(wxEVT_PAINT, &CAboutDlg::OnPaint, this);
    Bind(wxEVT_CHAR_HOOK, &CAboutDlg::OnCharHook, this);
    CentreOnParent();
}

void CAboutDlg::OnLinkClicked() {
    if (AddressOpener()(siteAddress)) return;
    ShowMessageBox(this, FromUtf8(kCouldNotOpen), appName_, MessageIcon::Exclamation);
}

void CAboutDlg::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    // The grey frame around the contents.
    dc.SetPen(wxPen(wxColour(160, 160, 160)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(frameRect_);
    // The icon in the middle of its place.
    wxBitmap icon = AppIconBitmap(32);
    dc.DrawBitmap(icon, iconRect_.x + (iconRect_.width - icon.GetWidth()) / 2,
                  iconRect_.y + (iconRect_.height - icon.GetHeight()) / 2, true);
}

// Esc and Enter close the box; the box has no buttons to take them.
void CAboutDlg::OnCharHook(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_ESCAPE:
            EndModal(wxID_CANCEL);
            return;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            EndModal(wxID_OK);
            return;
        case WXK_F1:
            return;  // no help
        default:
            event.Skip();
    }
}

}  // namespace zintor
