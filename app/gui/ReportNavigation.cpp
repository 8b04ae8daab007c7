// The window's roads from a report log to the page in the browser pane: the first report
// after start-up, the open dialog, dropped files and the side menu's choice, and the About
// box. The navigator decides each; here the window asks the user and shows.
#include <gtk/gtk.h>

#include <wx/filedlg.h>
#include <wx/utils.h>

#include "app/gui/AboutDlg.h"
#include "app/gui/LogDropTarget.h"
#include "app/gui/ReportDlg.h"
#include "app/gui/Utf8Text.h"
#include "app/window/FileFilter.h"
#include "app/window/PageUrl.h"
#include "logs/ReportLogName.h"
#include "platform/PathParts.h"
#include "resources/ResourceSet.h"

namespace zintor {
namespace {

extern "C" gboolean IsReportLogFile(const GtkFileFilterInfo* info, gpointer) {
    return info->filename && IsReportLogFileName(FileNameOf(info->filename));
}

// The dialog matches its patterns against the names it shows, and shows a name that is not
// UTF-8 with a note appended: "Log Files" would never list such a log. Its filter also takes
// each file whose own name is a report log's.
void ListLogsOfAnyName(wxFileDialog& dialog) {
    GtkWidget* widget = dialog.GetHandle();
    if (!widget || !GTK_IS_FILE_CHOOSER(widget)) return;
    GSList* filters = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(widget));
    if (filters) {
        gtk_file_filter_add_custom(GTK_FILE_FILTER(filters->data), GTK_FILE_FILTER_FILENAME,
                                   IsReportLogFile, nullptr, nullptr);
    }
    g_slist_free(filters);
}

// The file chosen, by its own bytes: the toolkit's path of a name that is not UTF-8 is empty.
std::string ChosenFile(wxFileDialog& dialog) {
    GtkWidget* widget = dialog.GetHandle();
    if (!widget || !GTK_IS_FILE_CHOOSER(widget)) return FileNameBytes(dialog.GetPath());
    gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(widget));
    std::string path = name ? name : "";
    g_free(name);
    return path;
}

}  // namespace

void CReportDlg::ShowFirstReport() {
    {
        wxBusyCursor wait;
        navigator_.ShowFirstReport();
    }
    follower_.CatchUp();  // logs that came or went since the menu was made, before it was watched
}

void CReportDlg::OpenLogFiles() {
    wxFileDialog dialog(this, FromUtf8(ResourcesFor(uiLanguage_).openDialogTitle),
                        FromFileName(navigator_.OpenDialogFolder()), wxEmptyString,
                        wxString::FromUTF8(JoinFileFilter(ParseFileFilter(kOpenDialogFilter))),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    ListLogsOfAnyName(dialog);
    if (dialog.ShowModal() != wxID_OK) return;
    wxBusyCursor wait;
    navigator_.OpenChosenLog(ChosenFile(dialog));
}

void CReportDlg::OnDropFiles(const std::vector<std::string>& names) {
    {
        wxBusyCursor wait;
        navigator_.OpenDroppedFiles(names);
    }
    Raise();
}

void CReportDlg::ChooseSideMenuItem(const std::string& label, std::size_t index) {
    wxBusyCursor wait;
    navigator_.ChooseSideMenuItem(label, index);
}

bool LogDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) {
    std::vector<std::string> paths;
    for (const wxString& name : names) paths.push_back(FileNameBytes(name));
    CReportDlg* window = window_;
    // The report runs once the drop has been answered, not inside it.
    window->CallAfter([window, paths] { window->OnDropFiles(paths); });
    return true;
}

void CReportDlg::ShowAboutBox() {
    std::string help = FolderOf(modulePath_) + std::string(kHelpPageName);
    CAboutDlg about(this, uiLanguage_, FileUrlOf(help), FromUtf8(kHelpPageName), AppName());
    about.ShowModal();
}

}  // namespace zintor
