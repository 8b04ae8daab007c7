// The main window in the test process: its start, layout, switches, keys, side menu, the
// roads to a page and what it saves when it closes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <webkit2/webkit2.h>

#include <wx/accel.h>
#include <wx/menu.h>
#include <wx/webview.h>

#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "app/gui/DesktopWindow.h"
#include "app/gui/LogDropTarget.h"
#include "app/gui/ReportDlg.h"
#include "app/gui/Shortcuts.h"
#include "app/gui/SideMenuToolBar.h"
#include "app/window/PageUrl.h"
#include "app/window/WindowPlacement.h"
#include "platform/DirectorySearch.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

using test::LogRows;
using test::Pump;
using test::PumpUntil;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { cwd_ = CurrentDirectory(); }
    void TearDown() override {
        if (window_) Close();
        (void)::chdir(cwd_.c_str());
    }

    // Opens the window with the settings file text given (none when null), for the program
    // file given (build/zintor with its templates when empty).
    CReportDlg& Open(const char* settingsText = nullptr, const std::string& program = "") {
        if (settingsText) WriteFile(ini(), settingsText);
        settings_ = std::make_unique<SettingsFile>(ini());
        window_ = new CReportDlg(*settings_, program.empty() ? test::ProgramPath() : program);
        EXPECT_TRUE(window_->Initialise());
        // On screen, with the stacking the settings ask for.
        PumpUntil([&] {
            return IsMapped(*window_) && window_->HasFlag(wxSTAY_ON_TOP) == window_->TopMost();
        });
        return *window_;
    }

    void Close() {
        window_->Close(true);
        window_ = nullptr;
        Pump(50);
    }

    std::string ini() const { return dir_ / "zintor.ini"; }

    // The text of what the browser pane shows, once it has something.
    std::string PageText() {
        wxWebView* view = window_->Browser().View();
        std::string text;
        PumpUntil([&] {
            if (view->IsBusy()) return false;
            wxString out;
            if (!view->RunScript("document.body ? document.body.innerText : ''", &out))
                return false;
            text = out.utf8_string();
            return !text.empty();
        });
        return text;
    }

    bool ShowsPageOf(const std::string& logPath) {
        std::string url = PageUrlOf(ReportGenerator::PagePathOf(logPath));
        return PumpUntil(
            [&] { return window_->Browser().View()->GetCurrentURL().utf8_string() == url; });
    }

    void PostAndPump(int command) {
        window_->PostCommand(command);
        Pump(50);
    }

    TempDir dir_;
    std::unique_ptr<SettingsFile> settings_;
    CReportDlg* window_ = nullptr;
    std::string cwd_;
};

TEST_F(MainWindowTest, FirstStartUsesTheDefaultsAndSavesThemInOrder) {
    CReportDlg& w = Open();
    EXPECT_FALSE(w.SideMenu());
    EXPECT_FALSE(w.Tree()->IsShown());
    EXPECT_TRUE(w.TopMost());
    EXPECT_TRUE(w.HasFlag(wxSTAY_ON_TOP));
    EXPECT_TRUE(w.GetMenuBar()->IsChecked(ToolkitId(kCmdTopMost)));
    EXPECT_FALSE(w.GetMenuBar()->IsChecked(ToolkitId(kCmdSideMenu)));
    EXPECT_FALSE(w.IsMaximized());
    EXPECT_EQ(w.GetClientSize(),
              wxSize(CReportDlg::kDefaultClientWidth, CReportDlg::kDefaultClientHeight));
    // No LogFile: after the start-up timer the pane asks for a log.
    EXPECT_NE(PageText().find("Please select Report-Log file."), std::string::npos);
    Close();
    std::string saved = ReadFile(ini());
    EXPECT_EQ(
        saved.rfind("[Settings]\nIsTopMost=1\nIsSideMenu=0\nIsZoomed=0\nPosition=0:1:-1:-1:-1:-1:",
                    0),
        0u)
        << saved;
    EXPECT_EQ(saved.find("LogFile"), std::string::npos);
}

TEST_F(MainWindowTest, RestoresPlacementAndSwitchesFromTheSettings) {
    CReportDlg& w =
        Open("[Settings]\nPosition=1:1:-1:-1:-1:-1:10:10:810:610\nIsTopMost=0\nIsSideMenu=1\n");
    EXPECT_EQ(w.GetSize(), wxSize(800, 600));
    EXPECT_FALSE(w.TopMost());
    EXPECT_FALSE(w.HasFlag(wxSTAY_ON_TOP));
    EXPECT_FALSE(w.GetMenuBar()->IsChecked(ToolkitId(kCmdTopMost)));
    EXPECT_TRUE(w.SideMenu());
    EXPECT_TRUE(w.GetMenuBar()->IsChecked(ToolkitId(kCmdSideMenu)));
    PostAndPump(kCmdTopMost);
    EXPECT_TRUE(w.HasFlag(wxSTAY_ON_TOP));
    EXPECT_TRUE(w.GetMenuBar()->IsChecked(ToolkitId(kCmdTopMost)));
    Close();
    EXPECT_NE(ReadFile(ini()).find("IsTopMost=1\nIsSideMenu=1\n"), std::string::npos)
        << ReadFile(ini());
}

TEST_F(MainWindowTest, ABadPositionIsIgnored) {
    for (const char* position : {"1:1:-1:-1", "0:1:-1:-1:-1:-1:500:500:400:400", "garbage",
                                 "0:1:-1:-1:-1:-1:-2000000000:0:2000000000:600"}) {
        CReportDlg& w = Open((std::string("[Settings]\nPosition=") + position + "\n").c_str());
        EXPECT_EQ(w.GetClientSize(),
                  wxSize(CReportDlg::kDefaultClientWidth, CReportDlg::kDefaultClientHeight))
            << position;
        Close();
    }
}

TEST_F(MainWindowTest, LaysOutThePanesByThePixelRules) {
    CReportDlg& w = Open();
    w.SetClientSize(800, 500);
    Pump(100);
    wxSize client = w.ClientPane()->GetClientSize();
    ASSERT_EQ(client, wxSize(800, 500));
    struct Expected {
        bool tree, toolBar;
        wxRect treeRect, browserRect, toolBarRect;
    };
    const Expected hidden{false, false, {}, wxRect(0, 0, 800, 500), {}};
    const Expected shown{true, true, wxRect(0, 18, 195, 482), wxRect(197, 0, 607, 500),
                         wxRect(127, 0, 66, 18)};
    for (const Expected& e : {shown, hidden, shown}) {
        PostAndPump(kCmdSideMenu);
        EXPECT_EQ(w.Tree()->IsShown(), e.tree);
        EXPECT_EQ(w.ToolBar()->IsShown(), e.toolBar);
        EXPECT_EQ(w.Browser().View()->GetRect(),
                  e.browserRect);  // 4 pixels past the edge when shown
        if (e.tree) {
            EXPECT_EQ(w.Tree()->GetRect(), e.treeRect);
        }
        if (e.toolBar) {
            EXPECT_EQ(w.ToolBar()->GetRect(), e.toolBarRect);
        }
        EXPECT_EQ(w.GetMenuBar()->IsChecked(ToolkitId(kCmdSideMenu)), e.tree);
    }
}

TEST_F(MainWindowTest, KeysAreTakenBeforeTheFocusedControl) {
    CReportDlg& w = Open();
    struct Case {
        int key;
        bool ctrl, alt;
        bool consumed;
        bool togglesSideMenu;
        bool fromMenuBar = false;
    };
    const Case cases[] = {
        {WXK_RETURN, false, false, true, false},
        {WXK_BACK, false, false, true, false},
        {'O', false, false, true, false},
        {'O', true, false, true, false},
        {'S', false, false, true, false},
        {'S', true, false, true, true},
        {WXK_F1, false, false, true, false},
        {WXK_F5, false, false, true, false},
        {WXK_DOWN, false, false, false, false},
        {'A', false, false, false, false},
        {'F', false, true, false, false},  // Alt+F opens the menu
        {WXK_LEFT, false, true, true, false},
        {WXK_RIGHT, false, true, true, false},  // no history
        // An open menu of the menu bar has the keys: Esc closes the menu, Enter picks an item.
        {WXK_ESCAPE, false, false, false, false, true},
        {WXK_RETURN, false, false, false, false, true},
        {WXK_BACK, false, false, false, false, true},
    };
    for (const Case& c : cases) {
        bool before = w.SideMenu();
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = c.key;
        key.SetControlDown(c.ctrl);
        key.SetAltDown(c.alt);
        key.SetEventObject(c.fromMenuBar ? static_cast<wxObject*>(w.GetMenuBar()) : &w);
        key.Skip(false);
        w.GetEventHandler()->ProcessEvent(key);
        Pump(30);
        EXPECT_EQ(!key.GetSkipped(), c.consumed) << c.key;
        EXPECT_EQ(w.SideMenu() != before, c.togglesSideMenu) << c.key;
    }
    EXPECT_TRUE(w.IsShown());
}

// The menus show the keys the window acts on, in either language: each item's key, as the
// toolkit reads it from the item, posts the item's own command.
TEST_F(MainWindowTest, MenusShowTheKeysTheWindowActsOn) {
    struct Case {
        bool japanese;
        int command;
        const char* label;  // before the key
        int key, flags;     // none: 0
    };
    const Case cases[] = {
        {false, kCmdOpenLogFiles, "Open Log files(&O)...", WXK_BACK, wxACCEL_CTRL},
        {false, kCmdExit, "Exit(&X)", WXK_ESCAPE, wxACCEL_NORMAL},
        {false, kCmdTopMost, "Always topmost(&T)", 0, 0},
        {false, kCmdSideMenu, "Side Menu(&S)", 'S', wxACCEL_CTRL},
        {false, kCmdRefresh, "Refresh(&R)", WXK_F5, wxACCEL_NORMAL},
        {false, kCmdAbout, "About(&A)...", 0, 0},
        {true, kCmdOpenLogFiles, "ログファイルを開く(&O)...", WXK_BACK, wxACCEL_CTRL},
        {true, kCmdExit, "アプリケーションの終了(&X)", WXK_ESCAPE, wxACCEL_NORMAL},
        {true, kCmdSideMenu, "サイドメニューを表示(&S)", 'S', wxACCEL_CTRL},
        {true, kCmdRefresh, "最新の情報に更新(&R)", WXK_F5, wxACCEL_NORMAL},
    };
    for (bool japanese : {false, true}) {
        test::ScopedLanguage language(japanese);
        CReportDlg& w = Open();
        for (const Case& c : cases) {
            if (c.japanese != japanese) continue;
            wxMenuItem* item = w.GetMenuBar()->FindItem(ToolkitId(c.command));
            ASSERT_NE(item, nullptr) << c.label;
            wxString label = item->GetItemLabel();
            EXPECT_EQ(label.BeforeFirst('\t').utf8_string(), c.label);
            std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
            ASSERT_EQ(accel != nullptr, c.key != 0) << c.label;
            if (!accel) continue;
            EXPECT_EQ(accel->GetKeyCode(), c.key) << c.label;
            EXPECT_EQ(accel->GetFlags(), c.flags) << c.label;
            bool ctrl = (c.flags & wxACCEL_CTRL) != 0;
            const Shortcut* shortcut = ShortcutFor(c.key, ctrl, false, false);
            ASSERT_NE(shortcut, nullptr) << c.label;
            EXPECT_EQ(shortcut->command, c.command) << c.label;
        }
        Close();
    }
}

// A settings file kept elsewhere and linked in is read through its link, and the closing
// window writes the file it leads to, leaving the link a link.
TEST_F(MainWindowTest, ALinkedSettingsFileIsReadAndWrittenThroughItsLink) {
    const std::string dotfiles = dir_ / "dotfiles.ini";
    WriteFile(dotfiles, "[Settings]\nIsSideMenu=1\n");
    ASSERT_EQ(::symlink(dotfiles.c_str(), ini().c_str()), 0);
    EXPECT_TRUE(Open().SideMenu());
    Close();
    struct stat st;
    ASSERT_EQ(::lstat(ini().c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_NE(ReadFile(dotfiles).find("IsSideMenu=1\nIsTopMost=1\nIsZoomed=0\nPosition="),
              std::string::npos)
        << ReadFile(dotfiles);
}

// Logs for 2023 and 2024 beside the last log: two year items, 2024 expanded and selected.
class SideMenuTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        logs_ = dir_ / "logs";
        ::mkdir(logs_.c_str(), 0755);
        WriteFile(log2023(), LogRows(2023, 5, 60));
        WriteFile(log2024(), LogRows(2024, 2, 60));
        WriteFile(logs_ + "/vorlix_report2024x.log", LogRows(2024, 3, 1));  // one row: no page
        WriteFile(logs_ + "/notes.txt", "not a log");
        // Named like logs, but a FIFO without a writer and a device that never ends.
        ::mkfifo(fifoLog().c_str(), 0644);
        ::symlink("/dev/zero", zeroLog().c_str());
    }
    std::string fifoLog() const { return logs_ + "/vorlix_report2024y.log"; }
    std::string zeroLog() const { return logs_ + "/vorlix_report2024z.log"; }
    std::string log2023() const { return logs_ + "/vorlix_report2023.log"; }
    std::string log2024() const { return logs_ + "/vorlix_report2024.log"; }
    std::string Settings(const std::string& logFile) const {
        return "[Settings]\nIsSideMenu=1\nLogFile=" + logFile + "\n";
    }
    wxTreeItemId YearItem(int index) const {
        wxTreeCtrl* tree = window_->Tree();
        wxTreeItemIdValue cookie;
        wxTreeItemId item = tree->GetFirstChild(tree->GetRootItem(), cookie);
        for (int i = 0; i < index && item.IsOk(); ++i) item = tree->GetNextSibling(item);
        return item;
    }
    std::string logs_;
};

TEST_F(SideMenuTest, GroupsTheLogsByYearWithTheLatestOpen) {
    CReportDlg& w = Open(Settings("/nowhere/vorlix_report2024.log").c_str());
    EXPECT_EQ(w.Tree()->GetChildrenCount(w.Tree()->GetRootItem(), false),
              0u);  // folder gone: empty tree
    Close();

    Open(Settings(log2023()).c_str());
    wxTreeCtrl* tree = window_->Tree();
    ASSERT_EQ(tree->GetChildrenCount(tree->GetRootItem(), false), 2u);
    EXPECT_EQ(tree->GetItemText(YearItem(0)), "2023");
    EXPECT_EQ(tree->GetItemText(YearItem(1)), "2024");
    EXPECT_FALSE(tree->IsExpanded(YearItem(0)));
    EXPECT_TRUE(tree->IsExpanded(YearItem(1)));
    EXPECT_TRUE(tree->IsSelected(YearItem(1)));
    wxTreeItemIdValue cookie;
    wxTreeItemId child = tree->GetFirstChild(YearItem(1), cookie);
    EXPECT_EQ(tree->GetItemText(child), "vorlix_report2024.log");
    EXPECT_EQ(tree->GetItemText(tree->GetNextSibling(child)), "vorlix_report2024x.log");
    EXPECT_EQ(tree->GetChildrenCount(YearItem(1), false), 2u) << "no FIFO, no device";
    EXPECT_EQ(tree->GetForegroundColour(), wxColour(0, 96, 0));
    EXPECT_EQ(tree->GetBackgroundColour(), wxColour(255, 255, 235));

    PostAndPump(kCmdExpandAll);
    EXPECT_TRUE(tree->IsExpanded(YearItem(0)) && tree->IsExpanded(YearItem(1)));
    PostAndPump(kCmdCollapseAll);
    EXPECT_FALSE(tree->IsExpanded(YearItem(0)) || tree->IsExpanded(YearItem(1)));
}

TEST_F(SideMenuTest, APageThatCannotBeWrittenShowsTheHintNotAnOlderPage) {
    Open(Settings(log2024()).c_str());
    ASSERT_TRUE(ShowsPageOf(log2024()));  // the first report
    WriteFile(logs_ + "/vorlix_report2024x.html", "<html><body>OLD PAGE</body></html>");
    wxTreeCtrl* tree = window_->Tree();
    wxTreeItemIdValue cookie;
    wxTreeItemId second = tree->GetNextSibling(tree->GetFirstChild(YearItem(1), cookie));
    ASSERT_EQ(tree->GetItemText(second), "vorlix_report2024x.log");
    tree->SelectItem(second);
    std::string text = PageText();
    // The hint as ever, and under it which log gave no page and why.
    EXPECT_EQ(text.rfind("Please select Report-Log file.", 0), 0u) << text;
    EXPECT_NE(text.find("\n" + logs_ + "/vorlix_report2024x.log: no page written to " + logs_ +
                        "/vorlix_report2024x.html: the log holds fewer than 2 data rows"),
              std::string::npos)
        << text;
    EXPECT_EQ(settings_->ReadString("Settings", "LogFile", ""), logs_ + "/vorlix_report2024x.log");
}

// Logs that come and go change only their own items; a shown log that goes says so.
TEST_F(SideMenuTest, FollowsTheFolderKeepingTheSelectionAndTheOpenYears) {
    Open(Settings(log2024()).c_str());
    wxTreeCtrl* tree = window_->Tree();
    wxTreeItemIdValue cookie;
    auto years = [&] {
        std::string text;
        for (wxTreeItemId item = YearItem(0); item.IsOk(); item = tree->GetNextSibling(item))
            text += tree->GetItemText(item).utf8_string() + (tree->IsExpanded(item) ? "+ " : " ");
        return text;
    };
    WriteFile(logs_ + "/vorlix_report2024a.log", LogRows(2024, 4, 60));
    WriteFile(logs_ + "/vorlix_report2025.log", LogRows(2025, 1, 60));
    ::unlink(log2023().c_str());
    ASSERT_TRUE(PumpUntil([&] { return years() == "2024+ 2025+ "; })) << years();
    EXPECT_EQ(tree->GetSelection(), YearItem(0));
    wxTreeItemId added = tree->GetNextSibling(tree->GetFirstChild(YearItem(0), cookie));
    tree->SelectItem(added);  // vorlix_report2024a.log, between the two there were
    ASSERT_TRUE(ShowsPageOf(logs_ + "/vorlix_report2024a.log"));
    ::unlink((logs_ + "/vorlix_report2024a.log").c_str());
    std::string why = "cannot read " + logs_ + "/vorlix_report2024a.log: No such file or directory";
    EXPECT_TRUE(PumpUntil([&] { return PageText().find(why) != std::string::npos; })) << PageText();
    EXPECT_EQ(tree->GetSelection(), YearItem(0));  // the gone log's year
    EXPECT_EQ(tree->GetChildrenCount(YearItem(0)), 2u);
}

// A file name is bytes: one that is no UTF-8 shows readably and opens by its own bytes; a name
// the menu cuts off shows whole as the item's tooltip.
TEST_F(SideMenuTest, NamesThatAreNoTextOrTooLongShowAndOpen) {
    const std::string odd = logs_ + "/vorlix_report2025\xFF\xFE.log";
    const std::string longName =
        logs_ + "/vorlix_report2025_traffic_of_the_office_router_upstairs.log";
    WriteFile(odd, LogRows(2025, 3, 60));
    WriteFile(longName, LogRows(2025, 4, 60));
    Open(Settings(log2024()).c_str());
    wxTreeCtrl* tree = window_->Tree();
    window_->SetClientSize(800, 500);
    wxTreeItemIdValue cookie;
    wxTreeItemId longItem = tree->GetFirstChild(YearItem(2), cookie);  // '_' sorts before 0xFF
    wxTreeItemId oddItem = tree->GetNextSibling(longItem);
    ASSERT_EQ(tree->GetItemText(oddItem).utf8_string(), "vorlix_report2025\uFFFD\uFFFD.log");
    auto toolTip = [&](wxTreeItemId item) {
        wxTreeEvent event(wxEVT_TREE_ITEM_GETTOOLTIP, tree, item);
        tree->GetEventHandler()->ProcessEvent(event);
        return event.IsAllowed() ? event.GetLabel().utf8_string() : std::string("(none)");
    };
    EXPECT_EQ(toolTip(longItem), "vorlix_report2025_traffic_of_the_office_router_upstairs.log");
    EXPECT_EQ(toolTip(tree->GetFirstChild(YearItem(1), cookie)),
              "(none)");  // vorlix_report2024.log
    EXPECT_EQ(toolTip(YearItem(2)), "(none)");
    tree->SelectItem(oddItem);
    EXPECT_TRUE(test::Exists(logs_ + "/vorlix_report2025\xFF\xFE.html"));
    EXPECT_TRUE(ShowsPageOf(odd));
    auto showsMarch = [&] { return PageText().find("Mar.2025") != std::string::npos; };
    EXPECT_TRUE(PumpUntil(showsMarch)) << PageText();  // loaded, not refused
    EXPECT_EQ(settings_->ReadString("Settings", "LogFile", ""), odd);
    // Dropped, the name comes as the toolkit keeps names that are no text: the same bytes open.
    tree->SelectItem(tree->GetFirstChild(YearItem(1), cookie));  // vorlix_report2024.log
    ASSERT_TRUE(ShowsPageOf(log2024()));
    wxArrayString names;
    names.Add(wxString(odd.c_str(), *wxConvFileName));
    static_cast<LogDropTarget*>(window_->Browser().View()->GetDropTarget())
        ->OnDropFiles(0, 0, names);
    EXPECT_TRUE(PumpUntil(showsMarch)) << PageText();
}

// A side-menu log that cannot be read when it is chosen (gone before the menu heard of it)
// leaves no older page on screen: the hint says which log and why.
TEST_F(SideMenuTest, ALogThatCannotBeReadSaysWhyInsteadOfKeepingThePageBefore) {
    Open(Settings(log2024()).c_str());
    ASSERT_TRUE(ShowsPageOf(log2024()));  // the first report
    wxTreeCtrl* tree = window_->Tree();
    wxTreeItemIdValue cookie;
    wxTreeItemId item2023 = tree->GetFirstChild(YearItem(0), cookie);
    ::unlink(log2023().c_str());
    tree->SelectItem(item2023);  // before the folder watch is heard
    std::string text = PageText();
    EXPECT_EQ(text.rfind("Please select Report-Log file.", 0), 0u) << text;
    EXPECT_NE(text.find("cannot read " + log2023() + ": No such file or directory"),
              std::string::npos)
        << text;
    EXPECT_EQ(settings_->ReadString("Settings", "LogFile", ""), log2024());
}

// The side menu is as wide as its longest ordinary name needs in the tree's own font (at least
// 195 pixels, at most a third of the window); the pane and the toolbar keep to its right edge.
TEST_F(SideMenuTest, IsWideEnoughForEveryOrdinaryName) {
    for (int month = 1; month <= 12; ++month) {
        WriteFile(
            logs_ + "/vorlix_report2026" + (month < 10 ? "0" : "") + std::to_string(month) + ".log",
            LogRows(2026, month, 2));
    }
    Open(Settings(log2024()).c_str());
    wxTreeCtrl* tree = window_->Tree();
    for (int clientWidth : {1000, 500}) {
        window_->SetClientSize(clientWidth, 500);
        PostAndPump(kCmdExpandAll);
        int width = tree->GetSize().x;
        EXPECT_GE(width, 195);
        EXPECT_LE(width, std::max(195, clientWidth / 3));
        EXPECT_EQ(window_->Browser().View()->GetPosition().x, width + 2);
        EXPECT_EQ(window_->ToolBar()->GetRect().GetRight(), width - 3);
        if (clientWidth < 3 * 195) continue;  // a narrow window may cut names
        wxTreeItemIdValue cookie;
        for (wxTreeItemId item = tree->GetFirstChild(YearItem(2), cookie); item.IsOk();
             item = tree->GetNextSibling(item)) {
            wxRect label;
            ASSERT_TRUE(tree->GetBoundingRect(item, label, true));
            EXPECT_LT(label.GetRight(), tree->GetClientSize().x) << tree->GetItemText(item);
        }
    }
}

// A template that is a FIFO: the window starts and shows the hint, since no page can be made.
TEST_F(SideMenuTest, ATemplateThatIsAFifoNeverHangsTheWindow) {
    const std::string program = dir_ / "zintor";
    ::mkfifo((program + ".htm_en.txt").c_str(), 0644);
    test::ScopedLanguage english(false);
    Open(Settings(log2024()).c_str(), program);
    EXPECT_NE(PageText().find("Please select Report-Log file."), std::string::npos);
    EXPECT_FALSE(test::Exists(logs_ + "/vorlix_report2024.html"));
}

TEST_F(SideMenuTest, FilesDroppedOnTheBrowserPaneReachTheWindow) {
    Open(Settings(log2024()).c_str());
    ASSERT_TRUE(ShowsPageOf(log2024()));  // the first report
    wxWebView* view = window_->Browser().View();
    EXPECT_NE(dynamic_cast<LogDropTarget*>(view->GetDropTarget()), nullptr);
    EXPECT_NE(dynamic_cast<LogDropTarget*>(window_->ClientPane()->GetDropTarget()), nullptr);
    EXPECT_NE(dynamic_cast<LogDropTarget*>(window_->GetMenuBar()->GetDropTarget()), nullptr);
    // The drop target hands the names on once the drop is over.
    wxArrayString names;
    names.Add(wxString::FromUTF8(log2023()));
    static_cast<LogDropTarget*>(view->GetDropTarget())->OnDropFiles(0, 0, names);
    EXPECT_TRUE(ShowsPageOf(log2023()));
    // Should the web view still take a drop itself, the file it goes to open is handed over.
    ::unlink((logs_ + "/vorlix_report2024.html").c_str());
    view->LoadURL(wxString::FromUTF8(PageUrlOf(log2024())));
    EXPECT_TRUE(ShowsPageOf(log2024()));
    EXPECT_TRUE(test::Exists(logs_ + "/vorlix_report2024.html"));
}

// The pane keeps no history to step back into: its context menu offers reloading and copying,
// not going back, and nothing takes it back.
TEST_F(SideMenuTest, ThePaneHasNoHistoryToStepBackInto) {
    Open(Settings(log2024()).c_str());
    ASSERT_TRUE(ShowsPageOf(log2024()));
    auto* webView = static_cast<WebKitWebView*>(window_->Browser().View()->GetNativeBackend());
    WebKitContextMenu* menu = webkit_context_menu_new();
    for (auto action : {WEBKIT_CONTEXT_MENU_ACTION_GO_BACK, WEBKIT_CONTEXT_MENU_ACTION_GO_FORWARD,
                        WEBKIT_CONTEXT_MENU_ACTION_STOP, WEBKIT_CONTEXT_MENU_ACTION_RELOAD}) {
        webkit_context_menu_append(menu, webkit_context_menu_item_new_from_stock_action(action));
    }
    webkit_context_menu_append(menu, webkit_context_menu_item_new_separator());
    webkit_context_menu_append(
        menu, webkit_context_menu_item_new_from_stock_action(WEBKIT_CONTEXT_MENU_ACTION_COPY));
    gboolean handled = FALSE;
    g_signal_emit_by_name(webView, "context-menu", menu, nullptr, nullptr, &handled);
    std::vector<int> left;
    for (GList* item = webkit_context_menu_get_items(menu); item; item = item->next) {
        left.push_back(
            webkit_context_menu_item_get_stock_action(WEBKIT_CONTEXT_MENU_ITEM(item->data)));
    }
    EXPECT_EQ(left, (std::vector<int>{WEBKIT_CONTEXT_MENU_ACTION_RELOAD,
                                      WEBKIT_CONTEXT_MENU_ACTION_NO_ACTION,
                                      WEBKIT_CONTEXT_MENU_ACTION_COPY}));
    EXPECT_FALSE(handled);
    g_object_unref(menu);

    wxTreeCtrl* tree = window_->Tree();
    wxTreeItemIdValue cookie;
    tree->SelectItem(tree->GetFirstChild(YearItem(0), cookie));
    ASSERT_TRUE(ShowsPageOf(log2023()));
    ASSERT_TRUE(
        PumpUntil([&] { return webkit_web_view_can_go_back(webView) != FALSE; }));  // as Back would
    webkit_web_view_go_back(webView);
    Pump(500);
    EXPECT_TRUE(ShowsPageOf(log2023()));
}

}  // namespace
}  // namespace zintor
