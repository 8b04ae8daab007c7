// The main window: menu bar, the side menu (a tree of the report logs grouped by year,
// with its toolbar) and the browser pane showing the report page. It owns the report engine
// and the navigator, which decides what a chosen log gives; the window carries that out.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/fswatcher.h>
#include <wx/timer.h>
#include <wx/treectrl.h>

#include "app/AllowanceCrossing.h"
#include "app/ReportNavigator.h"
#include "app/WindowSettings.h"
#include "app/gui/WebBrowser2.h"
#include "platform/SettingsFile.h"
#include "report/ReportGenerator.h"

namespace zintor {

class SideMenuToolBar;

class CReportDlg : public wxFrame, private NavigatorWindow {
  public:
    static constexpr int kStartupTimerId = 1;
    static constexpr int kGeometryTimerId = 2;
    static constexpr int kFollowTimerId = 3;
    static constexpr int kDefaultClientWidth = 670;  // the size of a first start
    static constexpr int kDefaultClientHeight = 450;

    // modulePath names the program file whose templates and folder the window uses.
    CReportDlg(SettingsFile& settings, const std::string& modulePath);

    // Initialisation: checks the template, builds the side menu, restores the window
    // placement and switches, shows the window and sets the start-up timer. False when the
    // window ends right away (the template is missing); it then closes itself.
    bool Initialise();

    // The pixel rules of the tree, toolbar and browser pane in the client area.
    void LayoutPanes();

    // Lists the report logs beside the last log (logFileSetting) and fills the tree with them.
    void BuildSideMenu();

    // The roads to a page (the start-up timer's first report, the open dialog, dropped files;
    // the side menu's is OnTreeSelChanged), each a call of the navigator, which decides.
    void ShowFirstReport();
    // The first report is the message page, whatever LogFile holds, with detail under the
    // hint.
    void StartOnMessagePage(const std::string& detail) { navigator_.StartOnMessagePage(detail); }
    // The log shown first was asked for: when it gives no page, the pane says why.
    void StartLogAskedFor() { navigator_.StartLogAskedFor(); }
    void OpenLogFiles();
    void OnDropFiles(const std::vector<std::string>& names);

    void ShowAboutBox();

    // View > Refresh: the side menu listed anew and the shown log's page written and shown
    // again, at once; the folders are watched anew too.
    void RefreshFromFolder();

    // View > Monthly Allowance...: the allowance asked for, saved, and the page written again
    // (AllowanceDlg.cpp).
    void ChangeAllowance();

    // Posts a command of the menus to the window, as the keys and the toolbar do.
    void PostCommand(int id);

    bool TopMost() const { return topMost != 0; }
    bool SideMenu() const { return sideMenu != 0; }
    int ExitCode() const { return exitCode_; }
    wxTreeCtrl* Tree() const { return tree; }
    CWebBrowser2& Browser() { return browser; }
    SideMenuToolBar* ToolBar() const { return toolBar; }
    wxWindow* ClientPane() const { return clientPane_; }

    // The program's name (its file name without extension): the caption of message boxes.
    wxString AppName() const;

  private:
    // What the navigator asks of the window.
    void ShowInPane(const std::string& url) override {
        NoteAllowance(url);
        browser.Navigate(url);
    }
    void ShowAgainInPane(const std::string& url) override {
        NoteAllowance(url);
        browser.ShowAgain(url);
    }
    // The page just written against the allowance: a desktop notice when new rows (appending_)
    // took the running month past 80 % or 100 % (AllowanceDlg.cpp).
    void NoteAllowance(const std::string& url);
    void FollowedLogChanged() override { WatchFolders(false); }

    void LayoutAndRepaint();
    void CreateMenus();
    void UpdateMenuChecks();
    void SetTopMost(bool on);
    void RestorePlacement(const WindowSettings& saved);
    void OnMapped();
    void SaveSettings();

    void OnCommand(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClientSize(wxSizeEvent& event);
    void OnClientPaint(wxPaintEvent& event);
    void OnFrameGeometry(wxEvent& event);
    void OnGeometrySettled(wxTimerEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnTreeSelChanged(wxTreeEvent& event);
    void OnTreeToolTip(wxTreeEvent& event);
    void OnClose(wxCloseEvent& event);

    // Following the folder while the monitor writes (FolderWatch.cpp).
    void WatchFolders(bool anew);
    void OnFolderChange(wxFileSystemWatcherEvent& event);
    void OnFollowTimer(wxTimerEvent& event);
    void UpdateSideMenu();
    void ExpandYears(bool expand);
    // The widths of the log names as the tree's font draws them, for the side menu's width.
    void MeasureSideMenu();

    SettingsFile& settings_;
    ReportGenerator report;
    SideMenuToolBar* toolBar = nullptr;
    int topMost = 1;
    int sideMenu = 0;
    std::string modulePath;
    wxWindow* clientPane_ = nullptr;
    wxTreeCtrl* tree = nullptr;
    std::vector<int> logLabelWidths_;
    int sideMenuWidth_;  // as laid out last
    CWebBrowser2 browser;
    wxTimer startupTimer_;
    wxTimer geometryTimer_;  // the window's rectangle is read once moves and resizes settle
    wxRect normalRect_;      // the outer rectangle when neither maximised nor minimised
    bool restoredPlacement_ = false;  // normalRect_ came from the settings
    bool placing_ = false;            // on screen, the manager's placement not yet looked at
    bool maximizeWhenPlaced_ = false;
    int settleWaits_ = 0;  // readings of the rectangle the manager has not confirmed yet
    bool settledNormal_ =
        true;  // at its last settled look the window was neither maximised nor minimised
    bool settingsSaved_ = false;
    int exitCode_ = 0;
    int uiLanguage_;
    ReportNavigator navigator_;

    AllowancePlan allowance_;
    AllowanceCrossing allowanceCrossing_;
    bool appending_ = false;  // the page is written again for rows added to its log

    std::unique_ptr<wxFileSystemWatcher> watcher_;  // none while no folder can be watched
    std::vector<std::string> watchedFolders_;
    wxTimer followTimer_;
};

}  // namespace zintor
