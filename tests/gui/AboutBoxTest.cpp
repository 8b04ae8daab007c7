// The About box: its look, its link and how it closes; the message boxes and their icons.
#include <gtest/gtest.h>

#include <cstring>

#include <wx/artprov.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "GuiTestSupport.h"
#include "app/gui/AboutDlg.h"
#include "app/gui/AddressOpener.h"
#include "app/gui/LinkLabel.h"
#include "app/gui/MessageBox.h"
#include "resources/Version.h"

namespace zintor {
namespace {

TEST(AboutBox, ShowsNameVersionAndTheLinkInTheirColoursAndFonts) {
    for (int language : {0, 1}) {
        CAboutDlg about(nullptr, language, "file:///opt/zintor/zintor-help.html",
                        "zintor-help.html", "zintor");
        EXPECT_EQ(about.GetBackgroundColour(), *wxWHITE);
        EXPECT_EQ(about.GetTitle().utf8_string(), language == 0 ? "バージョン情報" : "About");
        auto* name = dynamic_cast<wxStaticText*>(about.FindWindow(CAboutDlg::kNameId));
        auto* version = dynamic_cast<wxStaticText*>(about.FindWindow(CAboutDlg::kVersionId));
        ASSERT_TRUE(name && version);
        EXPECT_EQ(version->GetLabel(), "Version " ZINTOR_PROGRAM_VERSION);
        EXPECT_EQ(name->GetLabel().utf8_string(), language == 0
                                                      ? "zintor トラフィックレポート集計ツール"
                                                      : "zintor - Traffic Report Aggregation Tool");
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
    CAboutDlg about(nullptr, 1, "file:///opt/zintor/zintor-help.html", "zintor-help.html",
                    "zintor");
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

// The toolkit's native box draws no icon here; ours shows the stop or the exclamation sign.
TEST(MessageBoxes, ShowTheirTextCaptionAndIcon) {
    struct Case {
        MessageIcon icon;
        const char* text;
        wxArtID art;
    };
    const Case cases[] = {{MessageIcon::Stop, "Template File is Not Found.", wxART_ERROR},
                          {MessageIcon::Exclamation, "Could not Open.", wxART_WARNING}};
    for (const Case& c : cases) {
        std::unique_ptr<wxDialog> box = MakeMessageBox(nullptr, c.text, "zintor", c.icon);
        wxBitmap shown;
        wxString text;
        box->CallAfter([&] {
            for (wxWindow* child : box->GetChildren()) {
                if (auto* bitmap = dynamic_cast<wxStaticBitmap*>(child))
                    shown = bitmap->GetBitmap();
                if (auto* label = dynamic_cast<wxStaticText*>(child)) text += label->GetLabel();
            }
            box->EndModal(wxID_OK);
        });
        EXPECT_EQ(box->ShowModal(), wxID_OK);
        EXPECT_EQ(box->GetTitle(), "zintor");
        EXPECT_EQ(text, c.text);
        ASSERT_TRUE(shown.IsOk()) << c.text;
        wxImage expected = wxArtProvider::GetIcon(c.art, wxART_MESSAGE_BOX).ConvertToImage();
        wxImage image = shown.ConvertToImage();
        ASSERT_EQ(image.GetSize(), expected.GetSize()) << c.text;
        EXPECT_EQ(std::memcmp(image.GetData(), expected.GetData(),
                              3 * image.GetWidth() * image.GetHeight()),
                  0);
    }
}

}  // namespace
}  // namespace zintor
