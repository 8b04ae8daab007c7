// Start-up of the window module, and its one entry for the program.
#include "app/gui/ReportApp.h"

#include <csignal>
#include <cstdlib>
#include <iostream>

#include <wx/dialog.h>

#include "app/FailureText.h"
#include "app/SettingsLocation.h"
#include "app/gui/AssertReport.h"
#include "app/gui/ReportDlg.h"
#include "app/gui/ToolkitLanguage.h"
#include "app/window/ReportNavigator.h"
#include "html/UiLanguage.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"

namespace zintor {
namespace {

// Logging out, being told to stop or Ctrl+C in the terminal closes the window the usual way,
// once the page being written (if any) is complete, so that its settings are saved and no
// temporary file is left.
void CloseOnSignal(int) {
    if (!wxTheApp) return;
    // An open box (About, the open dialog) ends first, so that the window closes from the
    // main loop and not from under a modal one.
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal())
            dialog->EndModal(wxID_CANCEL);
    }
    wxTheApp->CallAfter([] {
        if (wxWindow* window = wxTheApp->GetTopWindow()) window->Close(true);
        // The loop may not wake up for the window's deletion on its own after a signal.
        wxTheApp->ExitMainLoop();
    });
}

}  // namespace

std::string CReportApp::logToShow;

bool CReportApp::OnInit() {
    // The command line was looked at by the program before the window started; the
    // toolkit's own parser is not run.
    UseTheUsersLanguage();
    const int uiLanguage = GetUiLanguage();
    std::string modulePath = ModulePath();
    PathParts parts = SplitPath(modulePath);
    SetAppName(wxString::FromUTF8(parts.fname));
    settings_ =
        std::make_unique<SettingsFile>(SettingsFileLocation(ReplaceExtension(modulePath, ".ini")));
    // Settings that cannot be saved are kept while the window is open; said once.
    settings_->SetFirstFailureNotice([name = parts.fname, uiLanguage](const Failure& failure) {
        std::cerr << name << ": settings not saved, kept while the window is open: "
                  << FailureText(failure, uiLanguage) << '\n';
    });

    // A log to open on is the last log opened from now on. One that is no report log, or
    // cannot be looked at, is said so (on standard error and under the hint), and the window
    // then asks for a log rather than show the last one as if it were the one asked for.
    std::string refusal =
        logToShow.empty() ? std::string() : TakeLogToShow(*settings_, logToShow, uiLanguage);
    if (!refusal.empty()) std::cerr << parts.fname << ": " << refusal << '\n';

    auto* window = new CReportDlg(*settings_, modulePath);
    if (!refusal.empty()) {
        window->StartOnMessagePage(refusal);
    } else if (!logToShow.empty()) {
        window->StartLogAskedFor();
    }
    SetTopWindow(window);
    if (!window->Initialise()) exitCode_ = window->ExitCode();
    SetSignalHandler(SIGTERM, CloseOnSignal);
    SetSignalHandler(SIGHUP, CloseOnSignal);
    SetSignalHandler(SIGINT, CloseOnSignal);
    return true;
}

int CReportApp::OnRun() {
    int status = wxApp::OnRun();
    return exitCode_ != 0 ? exitCode_ : status;
}

}  // namespace zintor

wxIMPLEMENT_APP_NO_MAIN(zintor::CReportApp);

// Runs the window until it closes; the program's exit status. 1 when the toolkit cannot
// start (no display). logToShow, when not empty, is a report log to open the window on.
extern "C" __attribute__((visibility("default"))) int zintor_gui_run(int argc, char** argv,
                                                                     const char* logToShow) {
    zintor::CReportApp::logToShow = logToShow ? logToShow : "";
    // The pages are still pictures: WebKit's GPU compositing only adds start-up time, and
    // without a GPU (a remote or virtual display) it renders through a slow software GL.
    // A value the user set is kept.
    ::setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", 0);
    zintor::ReportAssertsOnStandardError();
    int status = wxEntry(argc, argv);
    return status < 0 ? 1 : status;
}
