// The main window: a frame that owns its components and carries out what the navigator
// decides. The frame keeps the menus and the keys, the topmost and side-menu switches, the
// layout of the client area and the roads to a page (the first report, the open dialog, drops,
// the side menu's choice); each component does one job: the side menu (SideMenuPanel),
// following the folders (FolderFollower), the window's place (PlacementKeeper) and the browser
// pane (CWebBrowser2). They hear from the frame through calls and speak to it through
// callbacks.
#pragma once

#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/treectrl.h>

#include "app/gui/FolderFollower.h"
#include "app/gui/PlacementKeeper.h"
#include "app/gui/SideMenuPanel.h"
#include "app/gui/WebBrowser2.h"
#include "app/window/AllowanceCrossing.h"
#include "app/window/ReportNavigator.h"
#include "platform/SettingsFile.h"
#include "report/ReportGenerator.h"

namespace zintor {

class CReportDlg : public wxFrame, private NavigatorWindow {
  public:
    static constexpr int kDefaultClientWidth = PlacementKeeper::kDefaultClientWidth;
    static constexpr int kDefaultClientHeight = PlacementKeeper::kDefaultClientHeight;

    // modulePath names the program file whose templates and folder the window uses.
    CReportDlg(SettingsFile& settings, const std::string& modulePath);

    // Initialisation: checks the template, builds the side menu, restores the window
    // placement and switches, shows the window and sets the start-up timer. False when the
    // window ends right away (the template is missing); it then closes itself.
    bool Initialise();

    // The roads to a page (the start-up timer's first report, the open dialog, dropped files,
    // the side menu's choice), each a call of the navigator, which decides.
    void ShowFirstReport();
    // The first report is the message page, whatever LogFile holds, with detail under the
    // hint.
    void StartOnMessagePage(const std::string& detail) { navigator_.StartOnMessagePage(detail); }
    // The log shown first was asked for: when it gives no page, the pane says why.
    void StartLogAskedFor() { navigator_.StartLogAskedFor(); }
    void OpenLogFiles();
    void OnDropFiles(const std::vector<std::string>& names);

    void ShowAboutBox();

    // View > Monthly Allowance...: the allowance asked for, saved, and the page written again
    // (AllowanceNotice.cpp).
    void ChangeAllowance();

    // Posts a command of the menus to the window, as the keys and the toolbar do.
    void PostCommand(int id);

    bool TopMost() const { return topMost_; }
    bool SideMenu() const { return sideMenu_.Shown(); }
    int ExitCode() const { return exitCode_; }
    wxTreeCtrl* Tree() const { return sideMenu_.Tree(); }
    CWebBrowser2& Browser() { return browser_; }
    SideMenuToolBar* ToolBar() const { return sideMenu_.ToolBar(); }
    wxWindow* ClientPane() const { return clientPane_; }

    // The program's name (its file name without extension): the caption of message boxes.
    wxString AppName() const;

  private:
    // What the navigator asks of the window.
    void ShowInPane(const std::string& url) override {
        NoteAllowance(url);
        browser_.Navigate(url);
    }
    void ShowAgainInPane(const std::string& url) override {
        NoteAllowance(url);
        browser_.ShowAgain(url);
    }
    // The page just written against the allowance: a desktop notice when new rows took the
    // running month past 80 % or 100 % (AllowanceNotice.cpp).
    void NoteAllowance(const std::string& url);
    void FollowedLogChanged() override { follower_.Watch(false); }

    // The side menu, the pane beside it and the divider, by the pixel rules of the side menu.
    void LayoutPanes();
    void LayoutAndRepaint();
    void CreateMenus();
    void UpdateMenuChecks();
    void SetTopMost(bool on);
    void EditSideMenu(const std::vector<SideMenuEdit>& edits,
                      const std::vector<std::string>& logFiles);
    void ChooseSideMenuItem(const std::string& label, std::size_t index);
    void SaveSettings();

    void OnCommand(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClientSize(wxSizeEvent& event);
    void OnClientPaint(wxPaintEvent& event);
    void OnStartupTimer(wxTimerEvent& event);
    void OnClose(wxCloseEvent& event);

    SettingsFile& settings_;
    ReportGenerator report_;
    std::string modulePath_;
    int uiLanguage_;
    bool topMost_ = true;
    bool settingsSaved_ = false;
    int exitCode_ = 0;
    wxWindow* clientPane_;
    CWebBrowser2 browser_;
    ReportNavigator navigator_;
    SideMenuPanel sideMenu_;
    FolderFollower follower_;
    PlacementKeeper placement_;
    wxTimer startupTimer_;  // the first report comes once the window is up

    AllowancePlan allowance_;
    AllowanceCrossing allowanceCrossing_;
};

}  // namespace zintor
