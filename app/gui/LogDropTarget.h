// The drop target of the main window and its browser pane: the names of dropped files go to
// the window's drop handler once the drop itself has finished.
#pragma once

#include <wx/dnd.h>

namespace zintor {

class CReportDlg;

class LogDropTarget : public wxFileDropTarget {
  public:
    explicit LogDropTarget(CReportDlg* window) : window_(window) {}
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& names) override;

  private:
    CReportDlg* window_;
};

}  // namespace zintor
