// The main window: initialisation, layout, background, menus, keys, the topmost and
// side-menu switches, and the settings it leaves behind when it closes.
#include "app/gui/ReportDlg.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/utils.h>
#include <wx/webview.h>

#include "app/AllowanceSettings.h"
#include "app/ScreenFit.h"
#include "app/SideMenuWidth.h"
#include "app/WindowSettings.h"
#include "app/gui/AppIcon.h"
#include "app/gui/DesktopWindow.h"
#include "app/gui/LogDropTarget.h"
#include "app/gui/MessageBox.h"
#include "app/gui/SideMenuLayout.h"
#include "app/gui/SideMenuToolBar.h"
#include "app/gui/Utf8Text.h"
#include "html/UiLanguage.h"
#include "platform/PathParts.h"
#include "platform/UserFolders.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

constexpr int kTitleBarHeight = 24;  // about what managers draw; enough to judge a saved place by
constexpr int kGeometrySettleMs = 250;  // a manager's moves and state changes come in bursts
constexpr int kMostSettleWaits = 8;     // for a manager that never confirms a rectangle

// The menu label with its shortcut text in the form the toolkit shows and understands:
// "Ctrl+BS" is the Backspace key, "ESC" the Escape key.
wxString MenuLabel(std::string_view label) {
    wxString text = FromUtf8(label);
    text.Replace("\tCtrl+BS", "\tCtrl+Back");
    text.Replace("\tESC", "\tEsc");
    return text;
}

}  // namespace

CReportDlg::CReportDlg(SettingsFile& settings, const std::string& programPath)
    : wxFrame(nullptr, wxID_ANY, FromUtf8(ResourcesFor(GetUiLanguage()).windowCaption)),
      settings_(settings),
      report(programPath, GetUiLanguage()),
      modulePath(programPath),
      sideMenuWidth_(kNarrowestSideMenu),
      startupTimer_(this, kStartupTimerId),
      geometryTimer_(this, kGeometryTimerId),
      uiLanguage_(GetUiLanguage()),
      navigator_(report, settings, programPath, uiLanguage_, *this),
      followTimer_(this, kFollowTimerId) {
    clientPane_ = new wxWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                               wxBORDER_NONE | wxCLIP_CHILDREN);
    clientPane_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    tree =
        new wxTreeCtrl(clientPane_, wxID_ANY, wxPoint(0, kStripHeight), wxSize(sideMenuWidth_, 200),
                       wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT |
                           wxTR_FULL_ROW_HIGHLIGHT | wxTR_SINGLE | wxBORDER_NONE);
    tree->Hide();
    allowance_ = ReadAllowancePlan(settings.Read());
    report.SetAllowance(allowance_);
    browser.Create(clientPane_);
    CreateMenus();

    Bind(wxEVT_MENU, &CReportDlg::OnCommand, this);
    Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
        UpdateMenuChecks();
        event.Skip();
    });
    Bind(wxEVT_CHAR_HOOK, &CReportDlg::OnCharHook, this);
    Bind(wxEVT_SIZE, &CReportDlg::OnFrameGeometry, this);
    Bind(wxEVT_MOVE, &CReportDlg::OnFrameGeometry, this);
    Bind(wxEVT_TIMER, &CReportDlg::OnTimer, this, kStartupTimerId);
    Bind(wxEVT_TIMER, &CReportDlg::OnGeometrySettled, this, kGeometryTimerId);
    Bind(wxEVT_TIMER, &CReportDlg::OnFollowTimer, this, kFollowTimerId);
    Bind(wxEVT_FSWATCHER, &CReportDlg::OnFolderChange, this);
    Bind(wxEVT_CLOSE_WINDOW, &CReportDlg::OnClose, this);
    clientPane_->Bind(wxEVT_SIZE, &CReportDlg::OnClientSize, this);
    clientPane_->Bind(wxEVT_PAINT, &CReportDlg::OnClientPaint, this);
    tree->Bind(wxEVT_TREE_SEL_CHANGED, &CReportDlg::OnTreeSelChanged, this);
    tree->Bind(wxEVT_TREE_ITEM_GETTOOLTIP, &CReportDlg::OnTreeToolTip, this);
}

wxString CReportDlg::AppName() const { return wxString::FromUTF8(SplitPath(modulePath).fname); }

bool CReportDlg::Initialise() {
    wxBeginBusyCursor();
    SetIcons(AppIcons());

    // The template must be there before anything else is shown.
    bool ending = false;
    if (report.LoadTemplate().what == Failure::kTemplateMissing) {
        ShowMessageBox(nullptr, FromUtf8(kTemplateNotFound), AppName(), MessageIcon::Stop);
        ending = true;
        exitCode_ = 1;
    }

    toolBar = new SideMenuToolBar(clientPane_, this, uiLanguage_);
    tree->SetForegroundColour(SideMenuTextColour());
    tree->SetBackgroundColour(SideMenuBackColour());
    // The settings are read once, for all that the window takes from them at its start.
    WindowSettings saved = ReadWindowSettings(settings_);
    // On a first start, the recorder's newest log in its default folder.
    navigator_.SetStartLog(saved.logFile,
                           UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    BuildSideMenu();
    sideMenu = saved.sideMenu ? 1 : 0;
    // The pane was made on about:blank; a second blank load would only delay the first page.

    // Files may be dropped anywhere on the window: the menu bar, the client area and the pane.
    GetMenuBar()->SetDropTarget(new LogDropTarget(this));
    clientPane_->SetDropTarget(new LogDropTarget(this));
    browser.AcceptDrops(new LogDropTarget(this), [this](const std::string& path) {
        CallAfter([this, path] { OnDropFiles({path}); });
    });

    RestorePlacement(saved);
    if (!ending) Show();
    LayoutPanes();
    topMost = saved.topMost ? 1 : 0;
    UpdateMenuChecks();
    maximizeWhenPlaced_ = saved.zoomed;
    WhenMapped(*this, [this] { OnMapped(); });

    if (ending) {
        // The window was never shown: what the settings hold from the last real run stays.
        settingsSaved_ = true;
        CallAfter([this] { Close(true); });
    } else {
        startupTimer_.StartOnce(250);
    }
    wxEndBusyCursor();
    return !ending;
}

void CReportDlg::CreateMenus() {
    const ResourceSet& texts = ResourcesFor(uiLanguage_);
    auto* bar = new wxMenuBar;
    for (const MenuText& menuText : texts.menus) {
        auto* menu = new wxMenu;
        for (int i = 0; i < menuText.count; ++i) {
            const MenuItemText& item = menuText.items[static_cast<std::size_t>(i)];
            if (item.id == 0) {
                menu->AppendSeparator();
            } else {
                bool check = item.id == kCmdTopMost || item.id == kCmdSideMenu;
                menu->Append(ToolkitId(item.id), MenuLabel(item.label), wxEmptyString,
                             check ? wxITEM_CHECK : wxITEM_NORMAL);
            }
        }
        bar->Append(menu, FromUtf8(menuText.title));
    }
    SetMenuBar(bar);
}

void CReportDlg::UpdateMenuChecks() {
    wxMenuBar* bar = GetMenuBar();
    if (!bar) return;
    bar->Check(ToolkitId(kCmdSideMenu), sideMenu != 0);
    bar->Check(ToolkitId(kCmdTopMost), topMost != 0);
}

void CReportDlg::SetTopMost(bool on) {
    long style = GetWindowStyleFlag();
    SetWindowStyleFlag(on ? (style | wxSTAY_ON_TOP) : (style & ~wxSTAY_ON_TOP));
}

// The saved rectangle comes back as it was, as long as some screen shows enough of its title
// bar to take hold of it and it is no larger than that screen's work area; a larger one is
// made as large as the work area and put on it. One whose title bar no screen shows (a screen
// since removed, a hand-edited value) is moved onto the nearest screen. One no screen could
// hold counts as none. The position counts as
// the user's, so that managers that place new windows themselves keep it.
void CReportDlg::RestorePlacement(const WindowSettings& saved) {
    constexpr std::int64_t kLargestSide = 32767;
    const WindowPlacement& placement = saved.placement;
    auto side = [](int from, int to) { return std::int64_t{to} - from; };
    if (saved.placed && side(placement.left, placement.right) > 0 &&
        side(placement.left, placement.right) <= kLargestSide &&
        side(placement.top, placement.bottom) > 0 &&
        side(placement.top, placement.bottom) <= kLargestSide) {
        std::vector<ScreenRect> screens;
        for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
            wxRect area = wxDisplay(i).GetClientArea();
            screens.push_back({area.x, area.y, area.width, area.height});
        }
        ScreenRect saved{placement.left, placement.top, placement.right - placement.left,
                         placement.bottom - placement.top};
        ScreenRect rect = FitOnScreen(saved, screens, kTitleBarHeight);
        SetSize(rect.x, rect.y, rect.width, rect.height);
        // The size set once more as the client size, as on a first start. A window whose last
        // size was set as its outer size is held back by the toolkit until the manager tells
        // the frame it draws, and then shown at a placeholder size of 2 x 1 pixels that
        // squeezes the menu bar below its least width. The frame the manager adds is taken off
        // once the manager has placed the window (OnGeometrySettled asks once more).
        SetClientSize(GetClientSize());
        MarkPositionAsUsers(*this);
        restoredPlacement_ = true;
        normalRect_ = wxRect(rect.x, rect.y, rect.width, rect.height);
    } else {
        SetClientSize(kDefaultClientWidth, kDefaultClientHeight);
        Centre();
        normalRect_ = GetRect();
    }
}

// Once on screen, the window is topmost as the settings say. Its place is looked at once the
// manager has placed it: a manager that put it elsewhere than asked, or at another size, is
// asked once more. Only then is it maximised, so that the manager keeps the normal rectangle
// behind the maximised window and returns to it.
void CReportDlg::OnMapped() {
    SetTopMost(topMost != 0);
    placing_ = true;
    geometryTimer_.StartOnce(kGeometrySettleMs);
}

void CReportDlg::LayoutPanes() {
    if (!clientPane_) return;
    wxSize size = clientPane_->GetClientSize();
    int w = size.x, h = size.y;
    wxWindow* view = browser.View();
    if (sideMenu) {
        // Log names begin two indents and the spacing in (the hidden root's children, then
        // theirs); right of them the vertical scroll bar may come.
        int labelLeft = 2 * static_cast<int>(tree->GetIndent() + tree->GetSpacing());
        int rightRoom = kSideMenuNameMargin + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, tree);
        sideMenuWidth_ = SideMenuWidth(logLabelWidths_, labelLeft, rightRoom, w);
        tree->SetSize(0, kStripHeight, sideMenuWidth_, std::max(0, h - kStripHeight));
        tree->Show();
        if (view) {
            int left = sideMenuWidth_ + kDividerWidth;
            view->SetSize(left, 0, std::max(0, w - left + kPaneOverhang), h);
            view->Show();
        }
        if (toolBar) {
            toolBar->SetSize(sideMenuWidth_ - kToolBarRightGap - kToolBarWidth, 0, kToolBarWidth,
                             kStripHeight);
            toolBar->Show();
        }
    } else {
        tree->Hide();
        if (view) {
            view->SetSize(0, 0, w, h);
            view->Show();
        }
        if (toolBar) toolBar->Hide();
    }
}

void CReportDlg::OnClientSize(wxSizeEvent& event) {
    wxSize size = event.GetSize();
    if (size.x <= 0 || size.y <= 0) return;  // minimised: keep the layout
    LayoutAndRepaint();
}

void CReportDlg::LayoutAndRepaint() {
    LayoutPanes();
    clientPane_->Refresh();
    clientPane_->Update();
}

// The divider between tree and pane, and the strip behind the toolbar. The pane covers both
// when the side menu is hidden.
void CReportDlg::OnClientPaint(wxPaintEvent&) {
    wxPaintDC dc(clientPane_);
    int h = clientPane_->GetClientSize().y;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.DrawRectangle(sideMenuWidth_, 0, kDividerWidth, h);
    dc.SetBrush(wxBrush(SideMenuBackColour()));
    dc.DrawRectangle(0, 0, sideMenuWidth_, kStripHeight);
}

// A manager reports a new size and a new state in separate messages: the rectangle is taken
// once they have all arrived, and only when the manager has confirmed it (the window then
// neither maximised nor minimised, framed, and no resize under way), so that no passing
// rectangle of a change of state becomes the normal one.
void CReportDlg::OnFrameGeometry(wxEvent& event) {
    if (IsShown()) {
        settleWaits_ = 0;
        geometryTimer_.StartOnce(kGeometrySettleMs);
    }
    event.Skip();
}

void CReportDlg::OnGeometrySettled(wxTimerEvent&) {
    if (!IsMapped(*this)) return;
    if (placing_) {
        placing_ = false;
        if (restoredPlacement_ && !IsMaximized() && OuterFrameRect(*this) != normalRect_) {
            SetOuterFrameRect(*this, normalRect_);
            restoredPlacement_ = false;  // asked once
            placing_ = true;
            geometryTimer_.StartOnce(kGeometrySettleMs);
            return;
        }
        if (maximizeWhenPlaced_) {
            maximizeWhenPlaced_ = false;
            Maximize();
            return;
        }
    }
    wxRect outer;
    switch (ReadSettledFrame(*this, outer)) {
        case FrameVerdict::Take:
            normalRect_ = outer;
            settleWaits_ = 0;
            settledNormal_ = true;
            break;
        case FrameVerdict::Wait:  // asked again a little later, a few times at most
            if (++settleWaits_ < kMostSettleWaits) geometryTimer_.StartOnce(kGeometrySettleMs);
            break;
        case FrameVerdict::NotANormal:
            settledNormal_ = false;
            break;
    }
}

void CReportDlg::PostCommand(int id) {
    wxQueueEvent(this, new wxCommandEvent(wxEVT_MENU, ToolkitId(id)));
}

void CReportDlg::OnCommand(wxCommandEvent& event) {
    const int command = CommandOfToolkitId(event.GetId());
    switch (command) {
        case kCmdOpenLogFiles:
            OpenLogFiles();
            break;
        case kCmdExit:
            Close();
            break;
        case kCmdAbout:
            ShowAboutBox();
            break;
        case kCmdTopMost:
            topMost ^= 1;
            SetTopMost(topMost != 0);
            UpdateMenuChecks();
            break;
        case kCmdSideMenu:
            sideMenu ^= 1;
            LayoutAndRepaint();
            UpdateMenuChecks();
            break;
        case kCmdCollapseAll:
            ExpandYears(false);
            break;
        case kCmdExpandAll:
            ExpandYears(true);
            break;
        case kCmdRefresh:
            RefreshFromFolder();
            break;
        case kCmdAllowance:
            ChangeAllowance();
            break;
        case kCmdFirstReport:
            ShowFirstReport();
            break;
        default:
            event.Skip();
    }
}

// Keys are looked at before the focused control sees them, the browser pane included, so
// that Backspace never goes back in the pane's history and single letters do nothing.
// While a menu holds the keyboard, its keys are its own: Esc closes the menu, not the window.
void CReportDlg::OnCharHook(wxKeyEvent& event) {
    if (event.GetEventObject() == GetMenuBar() || MenuHoldsKeyboard()) {
        event.Skip();
        return;
    }
    int key = event.GetKeyCode();
    if (event.AltDown()) {
        if (key == WXK_F4 && !event.ControlDown() && !event.ShiftDown()) {
            PostCommand(kCmdExit);
            return;
        }
        if (key == WXK_LEFT || key == WXK_RIGHT)
            return;    // the pane keeps no history to step through
        event.Skip();  // Alt with a letter opens the menus
        return;
    }
    switch (key) {
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            return;
        case WXK_ESCAPE:
            PostCommand(kCmdExit);
            return;
        case WXK_BACK:
            if (event.ControlDown()) PostCommand(kCmdOpenLogFiles);
            return;
        case 'O':
            return;
        case 'S':
            if (event.ControlDown()) PostCommand(kCmdSideMenu);
            return;
        case WXK_F1:
            return;  // no help
        case WXK_F5:
            PostCommand(kCmdRefresh);
            return;
        default:
            event.Skip();
    }
}

void CReportDlg::OnTimer(wxTimerEvent&) {
    startupTimer_.Stop();
    PostCommand(kCmdFirstReport);
}

void CReportDlg::OnClose(wxCloseEvent&) {
    startupTimer_.Stop();
    geometryTimer_.Stop();
    followTimer_.Stop();
    watcher_.reset();
    SaveSettings();
    Destroy();
}

// The switches and the place in one rewrite of the file. LogFile is written when a log is
// opened or chosen, not here.
void CReportDlg::SaveSettings() {
    if (settingsSaved_) return;
    settingsSaved_ = true;
    bool maximized = IsMaximized();
    // The outer rectangle as the manager has it: the frame it draws is part of the place the
    // window comes back to. One the manager has not confirmed (still at work on a change of
    // state or size) gives way to the last one it did. A window closed the moment it leaves
    // the maximised state can look normal while it still has the maximised size: only a
    // window that was normal when it last settled is read again here.
    wxRect normal = normalRect_, now;
    if (settledNormal_ && ReadSettledFrame(*this, now) == FrameVerdict::Take) normal = now;
    SaveWindowSettings(
        settings_, {.topMost = topMost != 0,
                    .sideMenu = sideMenu != 0,
                    .zoomed = maximized,
                    .placement = PlacementAtClose(normal.x, normal.y, normal.width, normal.height,
                                                  maximized, IsIconized())});
}

}  // namespace zintor
