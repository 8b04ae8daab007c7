// Components of the main window on their own: the key table the menus and the key handler share,
// and the side menu panel filled and edited from lists of logs, with no navigator behind it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <wx/defs.h>
#include <wx/frame.h>
#include <wx/treectrl.h>

#include "app/gui/Shortcuts.h"
#include "app/gui/SideMenuPanel.h"
#include "app/window/LiveFolder.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

constexpr int kTaken = 0;    // the key is taken and does nothing
constexpr int kPassed = -1;  // the key goes on to the focused control

int Outcome(int key, bool ctrl, bool alt, bool shift) {
    const Shortcut* shortcut = ShortcutFor(key, ctrl, alt, shift);
    return shortcut ? shortcut->command : kPassed;
}

TEST(WindowKeys, EachKeyPostsItsCommandIsTakenOrPassesOnByItsModifiers) {
    struct Case {
        int key;
        bool ctrl, alt, shift;
        int outcome;
    };
    const Case cases[] = {
        {WXK_F4, false, true, false, kCmdExit},
        {WXK_F4, true, true, false, kPassed},  // Alt+F4 only with Alt alone
        {WXK_F4, false, true, true, kPassed},
        {WXK_F4, false, false, false, kPassed},
        {WXK_LEFT, false, true, false, kTaken},
        {WXK_RIGHT, true, true, true, kTaken},
        {WXK_LEFT, false, false, false, kPassed},  // moving in the tree or the page
        {WXK_ESCAPE, false, false, false, kCmdExit},
        {WXK_ESCAPE, true, false, true, kCmdExit},
        {WXK_ESCAPE, false, true, false, kPassed},
        {WXK_BACK, true, false, false, kCmdOpenLogFiles},
        {WXK_BACK, true, false, true, kCmdOpenLogFiles},
        {WXK_BACK, false, false, true, kTaken},  // never back in the pane's history
        {WXK_BACK, true, true, false, kPassed},
        {'S', true, false, false, kCmdSideMenu},
        {'S', false, false, true, kTaken},
        {'S', false, true, false, kPassed},  // Alt+S, the menus' mnemonic
        {'O', true, false, false, kTaken},
        {WXK_RETURN, true, false, false, kTaken},
        {WXK_NUMPAD_ENTER, false, false, false, kTaken},
        {WXK_F1, false, false, false, kTaken},
        {WXK_F5, false, false, false, kCmdRefresh},
        {WXK_F5, true, false, true, kCmdRefresh},
        {WXK_F5, false, true, false, kPassed},
        {'A', false, false, false, kPassed},
        {WXK_DOWN, false, false, false, kPassed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Outcome(c.key, c.ctrl, c.alt, c.shift), c.outcome)
            << c.key << " ctrl " << c.ctrl << " alt " << c.alt << " shift " << c.shift;
    }
}

// A key a menu item shows posts that item's command, and each command shows one key at most.
TEST(WindowKeys, TheKeyAMenuShowsPostsItsCommand) {
    for (int command : {kCmdOpenLogFiles, kCmdExit, kCmdAbout, kCmdTopMost, kCmdSideMenu,
                        kCmdCollapseAll, kCmdExpandAll, kCmdRefresh}) {
        int shown = 0;
        for (const Shortcut& row : WindowShortcuts()) shown += row.inMenu && row.command == command;
        EXPECT_LE(shown, 1) << command;
        const Shortcut* row = MenuShortcutOf(command);
        if (!row) continue;
        bool ctrl = row->mods == KeyMods::CtrlNoAlt;
        EXPECT_EQ(Outcome(row->key, ctrl, false, false), command) << command;
    }
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// The side menu of a list of logs as text: "2023[a.log b.log] 2024[...]".
std::string MenuText(const wxTreeCtrl& tree) {
    std::string text;
    wxTreeItemIdValue yearCookie, logCookie;
    for (wxTreeItemId year = tree.GetFirstChild(tree.GetRootItem(), yearCookie); year.IsOk();
         year = tree.GetNextSibling(year)) {
        if (!text.empty()) text += ' ';
        text += tree.GetItemText(year).utf8_string();
        text += '[';
        for (wxTreeItemId item = tree.GetFirstChild(year, logCookie); item.IsOk();
             item = tree.GetNextSibling(item)) {
            text += tree.GetItemText(item).utf8_string();
            if (tree.GetNextSibling(item).IsOk()) text += ' ';
        }
        text += ']';
    }
    return text;
}

// Edited to another list, the menu is the one that list would fill, and every log item, chosen,
// names its own log's place in the new list (not the place it had in the old one).
TEST(SideMenuPanelTest, EditedItemsNameTheirLogsInTheNewList) {
    auto logs = [](std::vector<std::string> names) {
        for (std::string& name : names) name = "/logs/vorlix_report" + name + ".log";
        return names;
    };
    struct Case {
        const char* what;
        std::vector<std::string> before, after;
        const char* menu;
    };
    const Case cases[] = {
        {"a log added before the others of its year", logs({"202402", "202403"}),
         logs({"202401", "202402", "202403"}),
         "2024[vorlix_report202401.log vorlix_report202402.log vorlix_report202403.log]"},
        {"a year added before the others", logs({"202401"}), logs({"202312", "202401"}),
         "2023[vorlix_report202312.log] 2024[vorlix_report202401.log]"},
        {"a year gone", logs({"202312", "202401", "202402"}), logs({"202401", "202402"}),
         "2024[vorlix_report202401.log vorlix_report202402.log]"},
        {"logs gone and come at once", logs({"202301", "202401", "202402"}),
         logs({"202302", "202402", "202501"}),
         "2023[vorlix_report202302.log] 2024[vorlix_report202402.log] "
         "2025[vorlix_report202501.log]"},
        {"every log gone", logs({"202401", "202402"}), {}, ""},
    };
    auto* frame = new wxFrame(nullptr, wxID_ANY, "side menu");
    {
        std::pair<std::string, std::size_t> chosen;
        SideMenuPanel panel(frame, [&](const std::string& label, std::size_t index) {
            chosen = {label, index};
        });
        wxTreeCtrl& tree = *panel.Tree();
        for (const Case& c : cases) {
            panel.Fill(c.before);
            panel.Apply(PlanSideMenuEdits(c.before, c.after), c.after);
            EXPECT_EQ(MenuText(tree), c.menu) << c.what;
            wxTreeItemIdValue yearCookie, logCookie;
            for (wxTreeItemId year = tree.GetFirstChild(tree.GetRootItem(), yearCookie);
                 year.IsOk(); year = tree.GetNextSibling(year)) {
                for (wxTreeItemId item = tree.GetFirstChild(year, logCookie); item.IsOk();
                     item = tree.GetNextSibling(item)) {
                    tree.SelectItem(item);
                    ASSERT_LT(chosen.second, c.after.size()) << c.what;
                    EXPECT_EQ(NameOf(c.after[chosen.second]), chosen.first) << c.what;
                }
            }
        }
    }
    frame->Destroy();
}

}  // namespace
}  // namespace zintor
