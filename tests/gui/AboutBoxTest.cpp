// The About box: its look, its link and how it closes.
#include <gtest/gtest.h>

#include <wx/stattext.h>

#include "GuiTestSupport.h"
#include "app/gui/AboutDlg.h"
#include "app/gui/AddressOpener.h"
#include "app/gui/LinkLabel.h"

namespace zintor {
namespace {

TEST(AboutBox, ShowsNameVersionAndTheLinkInTheirColoursAndFonts) {
    for (int language : {0, 1}) {
        CAboutDlg about(nullptr, language, "file:///opt/zintor/zintor-help.html", "zintor-help.html", "zintor");
        EXPECT_EQ(about.GetBackgroundColour(), *wxWHITE);
        EXPECT_EQ(about.GetTitle().utf8_string(), language == 0 ? "バージョン情報" : "About");
        auto* name = dynamic_cast<wxStaticText*>(about.FindWindow(CAboutDlg::kNameId));
        auto* version = dynamic_cast<wxStaticText*>(about.FindWindow(CAboutDlg::kVersionId));
        ASSERT_TRUE(name && version);
        EXPECT_EQ(version->GetLabel(), "Version 0.70");
        EXPECT_EQ(name->GetLabel().utf8_string(),
                  language == 0 ? "zintor トラフィックレポート集計ツール" : "zintor - Traffic Report Aggregation Tool");
        EXPECT_EQ(name->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
        LinkLabel* link = about.Link();
        EXPECT_EQ(link->TextColour(), wxColour(0, 51, 255));
        EXPECT_TRUE(link->GetFont().GetUnderlined());
        EXPECT_EQ(link->GetFont().GetFaceName(), "Arial");
        EXPECT_TRUE(link->GetCursor().IsOk());  // the hand, set when the label is made
        // Every label lies inside the box.
        wxRect client(wxPoint(0, 0), about.GetClientSize());
        for (wxWindow* child : about.GetChildren()) EXPECT_TRUE(client.Contains(child->GetRect()));
    }
}

TEST(AboutBox, TheLinkOpensTheAddress) {
    std::string opened;
    auto saved = AddressOpener();
    AddressOpener() = [&](const std::string& address) {
        opened = address;
        return true;
    };
    CAboutDlg about(nullptr, 1, "file:///opt/zintor/zintor-help.html", "zintor-help.html", "zintor");
    about.OnLinkClicked();
    EXPECT_EQ(opened, "file:///opt/zintor/zintor-help.html");
    AddressOpener() = saved;
}

TEST(AboutBox, EscapeAndEnterCloseIt) {
    for (int key : {WXK_ESCAPE, WXK_RETURN}) {
        CAboutDlg about(nullptr, 1, "file:///x", "x", "zintor");
        bool closed = false;
        about.CallAfter([&] {
            wxKeyEvent event(wxEVT_CHAR_HOOK);
            event.m_keyCode = key;
            event.SetEventObject(&about);
            about.GetEventHandler()->ProcessEvent(event);
        });
        about.ShowModal();  // returns once the key closed it
        closed = true;
        EXPECT_TRUE(closed);
    }
}

}  // namespace
}  // namespace zintor
