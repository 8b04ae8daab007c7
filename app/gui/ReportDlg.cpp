// The main window's frame: its components put together, initialisation, layout, background, menus,
// keys, the topmost and side-menu switches, and the settings it leaves behind when it closes.
#include "app/gui/ReportDlg.h"

#include <cstdlib>

#include <wx/accel.h>
#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/utils.h>
#include <wx/webview.h>

#include "app/AllowanceSettings.h"
#include "app/WindowSettings.h"
#include "app/gui/AppIcon.h"
#include "app/gui/DesktopWindow.h"
#include "app/gui/LogDropTarget.h"
#include "app/gui/MessageBox.h"
#include "app/gui/Shortcuts.h"
#include "app/gui/Utf8Text.h"
#include "html/UiLanguage.h"
#include "platform/PathParts.h"
#include "platform/UserFolders.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

constexpr int kStartupTimerId = 1;
constexpr int kStartupDelayMs = 250;

// The client area: the side menu and the browser pane on a background the frame paints.
wxWindow* MakeClientPane(wxWindow* frame) {
    auto* pane = new wxWindow(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                              wxBORDER_NONE | wxCLIP_CHILDREN);
    pane->SetBackgroundStyle(wxBG_STYLE_PAINT);
    return pane;
}

// A menu item's label with the key of its command, as the key table has it.
wxString MenuLabel(const MenuItemText& item) {
    wxString text = FromUtf8(item.label);
    if (const Shortcut* shortcut = MenuShortcutOf(item.id)) {
        int flags = shortcut->mods == KeyMods::CtrlNoAlt ? wxACCEL_CTRL : wxACCEL_NORMAL;
        text += "\t" + wxAcceleratorEntry(flags, shortcut->key).ToRawString();
    }
    return text;
}

}  // namespace

CReportDlg::CReportDlg(SettingsFile& settings, const std::string& programPath)
    : wxFrame(nullptr, wxID_ANY, FromUtf8(ResourcesFor(GetUiLanguage()).windowCaption)),
      settings_(settings),
      report_(programPath, GetUiLanguage()),
      modulePath_(programPath),
      uiLanguage_(GetUiLanguage()),
      clientPane_(MakeClientPane(this)),
      navigator_(report_, settings, programPath, uiLanguage_, *this),
      sideMenu_(clientPane_, [this](const std::string& label,
                                    std::size_t index) { ChooseSideMenuItem(label, index); }),
      follower_(
          navigator_,
          [this](const std::vector<SideMenuEdit>& edits, const std::vector<std::string>& logFiles) {
              EditSideMenu(edits, logFiles);
          }),
      placement_(*this),
      startupTimer_(this, kStartupTimerId) {
    allowance_ = ReadAllowancePlan(settings.Read());
    report_.SetAllowance(allowance_);
    browser_.Create(clientPane_);
    CreateMenus();

    Bind(wxEVT_MENU, &CReportDlg::OnCommand, this);
    Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
        UpdateMenuChecks();
        event.Skip();
    });
    Bind(wxEVT_CHAR_HOOK, &CReportDlg::OnCharHook, this);
    Bind(wxEVT_TIMER, &CReportDlg::OnStartupTimer, this, kStartupTimerId);
    Bind(wxEVT_CLOSE_WINDOW, &CReportDlg::OnClose, this);
    clientPane_->Bind(wxEVT_SIZE, &CReportDlg::OnClientSize, this);
    clientPane_->Bind(wxEVT_PAINT, &CReportDlg::OnClientPaint, this);
}

wxString CReportDlg::AppName() const { return wxString::FromUTF8(SplitPath(modulePath_).fname); }

bool CReportDlg::Initialise() {
    wxBeginBusyCursor();
    SetIcons(AppIcons());

    // The template must be there before anything else is shown.
    bool ending = false;
    if (report_.LoadTemplate().what == Failure::kTemplateMissing) {
        ShowMessageBox(nullptr, FromUtf8(kTemplateNotFound), AppName(), MessageIcon::Stop);
        ending = true;
        exitCode_ = 1;
    }

    sideMenu_.AddToolBar(this, uiLanguage_);
    // The settings are read once, for all that the window takes from them at its start.
    WindowSettings saved = ReadWindowSettings(settings_);
    // On a first start, the recorder's newest log in its default folder.
    navigator_.SetStartLog(saved.logFile,
                           UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    sideMenu_.Fill(navigator_.ListSideMenu());
    sideMenu_.SetShown(saved.sideMenu);
    // The pane was made on about:blank; a second blank load would only delay the first page.

    // Files may be dropped anywhere on the window: the menu bar, the client area and the pane.
    GetMenuBar()->SetDropTarget(new LogDropTarget(this));
    clientPane_->SetDropTarget(new LogDropTarget(this));
    browser_.AcceptDrops(new LogDropTarget(this), [this](const std::string& path) {
        CallAfter([this, path] { OnDropFiles({path}); });
    });

    placement_.Restore(saved);
    if (!ending) Show();
    LayoutPanes();
    topMost_ = saved.topMost;
    UpdateMenuChecks();
    // Once on screen, the window is topmost as the settings say, and its place is looked at.
    WhenMapped(*this, [this] {
        SetTopMost(topMost_);
        placement_.Mapped();
    });

    if (ending) {
        // The window was never shown: what the settings hold from the last real run stays.
        settingsSaved_ = true;
        CallAfter([this] { Close(true); });
    } else {
        startupTimer_.StartOnce(kStartupDelayMs);
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
                menu->Append(ToolkitId(item.id), MenuLabel(item), wxEmptyString,
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
    bar->Check(ToolkitId(kCmdSideMenu), sideMenu_.Shown());
    bar->Check(ToolkitId(kCmdTopMost), topMost_);
}

void CReportDlg::SetTopMost(bool on) {
    long style = GetWindowStyleFlag();
    SetWindowStyleFlag(on ? (style | wxSTAY_ON_TOP) : (style & ~wxSTAY_ON_TOP));
}

void CReportDlg::LayoutPanes() {
    wxRect pane = sideMenu_.Layout(clientPane_->GetClientSize());
    if (wxWindow* view = browser_.View()) {
        view->SetSize(pane);
        view->Show();
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

// The pane covers the divider and the strip when the side menu is hidden.
void CReportDlg::OnClientPaint(wxPaintEvent&) {
    wxPaintDC dc(clientPane_);
    sideMenu_.Paint(dc, clientPane_->GetClientSize().y);
}

// The side menu follows the folder; a longer name may widen it, a shorter narrow it.
void CReportDlg::EditSideMenu(const std::vector<SideMenuEdit>& edits,
                              const std::vector<std::string>& logFiles) {
    sideMenu_.Apply(edits, logFiles);
    if (sideMenu_.Shown()) LayoutAndRepaint();
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
            topMost_ = !topMost_;
            SetTopMost(topMost_);
            UpdateMenuChecks();
            break;
        case kCmdSideMenu:
            sideMenu_.SetShown(!sideMenu_.Shown());
            LayoutAndRepaint();
            UpdateMenuChecks();
            break;
        case kCmdCollapseAll:
            sideMenu_.ExpandYears(false);
            break;
        case kCmdExpandAll:
            sideMenu_.ExpandYears(true);
            break;
        case kCmdRefresh:
            follower_.RefreshNow();
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
    const Shortcut* shortcut = event.GetEventObject() == GetMenuBar() || MenuHoldsKeyboard()
                                   ? nullptr
                                   : ShortcutFor(event.GetKeyCode(), event.ControlDown(),
                                                 event.AltDown(), event.ShiftDown());
    if (!shortcut) {
        event.Skip();  // Alt with a letter opens the menus
        return;
    }
    if (shortcut->command != 0) PostCommand(shortcut->command);
}

void CReportDlg::OnStartupTimer(wxTimerEvent&) {
    startupTimer_.Stop();
    PostCommand(kCmdFirstReport);
}

void CReportDlg::OnClose(wxCloseEvent&) {
    startupTimer_.Stop();
    placement_.Stop();
    follower_.Stop();
    SaveSettings();
    Destroy();
}

// The switches and the place in one rewrite of the file. LogFile is written when a log is
// opened or chosen, not here.
void CReportDlg::SaveSettings() {
    if (settingsSaved_) return;
    settingsSaved_ = true;
    WindowState closing;
    closing.topMost = topMost_;
    closing.sideMenu = sideMenu_.Shown();
    placement_.PlaceAtClose(closing);
    SaveWindowSettings(settings_, closing);
}

}  // namespace zintor
