// The About box: the icon, the program's name and version, a credit line and a link that
// opens the help page shipped beside the program.
#pragma once

#include <string>

#include <wx/dialog.h>
#include <wx/font.h>

class wxStaticText;

namespace zintor {

class LinkLabel;

class CAboutDlg : public wxDialog {
  public:
    static constexpr int kLinkId = 1010;
    static constexpr int kNameId = 1011;
    static constexpr int kVersionId = 1012;

    // siteAddress is what the link opens; linkText is shown for it.
    CAboutDlg(wxWindow* parent, int uiLanguage, std::string siteAddress, const wxString& linkText,
              const wxString& appName);

    // Opens the address; on failure says "Could not Open." and the box stays open.
    void OnLinkClicked();

    LinkLabel* Link() const { return link_; }

  private:
    void OnPaint(wxPaintEvent& event);
    void OnCharHook(wxKeyEvent& event);

    wxFont linkFont;
    wxFont boldFont;
    std::string siteAddress;
    wxString appName_;
    LinkLabel* link_ = nullptr;
    wxRect iconRect_;
    wxRect frameRect_;
};

}  // namespace zintor
