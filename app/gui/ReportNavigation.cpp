// The roads from a report log to the page in the browser pane: the first report after
// start-up, the open dialog, dropped files (the side menu's road is in SideMenu.cpp), the
// message page when there is no page to show, and the About box.
#include <wx/filedlg.h>
#include <wx/utils.h>

#include "app/DisplayText.h"
#include "app/FailureText.h"
#include "app/FileFilter.h"
#include "app/PageUrl.h"
#include "app/gui/AboutDlg.h"
#include "app/gui/LogDropTarget.h"
#include "app/gui/ReportDlg.h"
#include "app/gui/Utf8Text.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

bool IsLogExtension(const std::string& path) {
    std::string ext = SplitPath(path).ext;
    for (char& c : ext) c = static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    return ext == ".log";
}

}  // namespace

// A page that could not be written is never shown: an older page of the same name would
// pass for the new one. The message page shows instead, and, for a log the user has just
// chosen, says under the hint which log gave no page and why.
bool CReportDlg::ShowLogReport(const std::string& logPath, bool sayWhy) {
    wxBusyCursor wait;
    if (report.ReadReportLog(logPath)) return false;
    std::string page = ReportGenerator::PagePathOf(logPath);
    if (Failure failure = report.GenerateReport(page)) {
        ShowMessagePage(sayWhy ? ReadableUtf8(logPath + ": " + FailureText(failure)) : std::string());
    } else {
        browser.Navigate(PageUrlOf(page));
    }
    return true;
}

void CReportDlg::ShowMessagePage(const std::string& detail) {
    browser.Navigate(MessagePageUrl(ResourcesFor(uiLanguage_).hint, detail));
}

// At start-up nobody has chosen a log yet: the hint alone asks for one.
void CReportDlg::ShowFirstReport() {
    logFileSetting = settings_.ReadString(kSettingsSection, "LogFile", "");
    if (startOnMessagePage_ || logFileSetting.empty() || !ShowLogReport(logFileSetting, false)) ShowMessagePage();
}

void CReportDlg::OpenLogFiles() {
    logFileSetting = settings_.ReadString(kSettingsSection, "LogFile", "");
    std::string folder = FolderOf(logFileSetting.empty() ? modulePath : logFileSetting);
    wxFileDialog dialog(this, FromUtf8(ResourcesFor(uiLanguage_).openDialogTitle), wxString::FromUTF8(folder),
                        wxEmptyString, wxString::FromUTF8(JoinFileFilter(ParseFileFilter(kOpenDialogFilter))),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    std::string chosen = dialog.GetPath().utf8_string();
    if (!IsLogExtension(chosen)) return;
    if (ShowLogReport(chosen)) settings_.WriteString(kSettingsSection, "LogFile", chosen);
}

// Folders are skipped (and, as the folder test goes, become the current directory); the
// first ".log" file that reads gives the page. LogFile stays as it was.
void CReportDlg::OnDropFiles(const std::vector<std::string>& names) {
    std::vector<std::string> files;
    for (const std::string& name : names) {
        if (!ChangeDirectory(name)) files.push_back(name);
    }
    for (const std::string& file : files) {
        if (IsLogExtension(file) && ShowLogReport(file)) break;
    }
    Raise();
}

bool LogDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) {
    std::vector<std::string> paths;
    for (const wxString& name : names) paths.push_back(name.utf8_string());
    CReportDlg* window = window_;
    // The report runs once the drop has been answered, not inside it.
    window->CallAfter([window, paths] { window->OnDropFiles(paths); });
    return true;
}

void CReportDlg::ShowAboutBox() {
    std::string help = FolderOf(modulePath) + std::string(kHelpPageName);
    CAboutDlg about(this, uiLanguage_, PageUrlOf(help), FromUtf8(kHelpPageName), AppName());
    about.ShowModal();
}

}  // namespace zintor
