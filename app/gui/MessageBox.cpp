// Message boxes with their icons.
#include "app/gui/MessageBox.h"

#include <wx/msgdlg.h>

namespace zintor {

std::unique_ptr<wxDialog> MakeMessageBox(wxWindow* parent, const wxString& text,
                                         const wxString& caption, MessageIcon icon) {
    long style = wxOK | wxCENTRE | (icon == MessageIcon::Stop ? wxICON_ERROR : wxICON_EXCLAMATION);
    return std::make_unique<wxGenericMessageDialog>(parent, text, caption, style);
}

void ShowMessageBox(wxWindow* parent, const wxString& text, const wxString& caption,
                    MessageIcon icon) {
    MakeMessageBox(parent, text, caption, icon)->ShowModal();
}

}  // namespace zintor
