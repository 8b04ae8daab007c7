// The program's message boxes: the text, the program's name as caption, an OK button and the
// icon that says how grave the matter is.
#pragma once

#include <memory>

#include <wx/dialog.h>
#include <wx/string.h>

class wxWindow;

namespace zintor {

enum class MessageIcon { Stop, Exclamation };

// The box, not yet shown. The toolkit's native box draws no icon on this desktop, so this is
// the toolkit's own generic one, which does.
std::unique_ptr<wxDialog> MakeMessageBox(wxWindow* parent, const wxString& text,
                                         const wxString& caption, MessageIcon icon);

// Shows the box modally until the user closes it.
void ShowMessageBox(wxWindow* parent, const wxString& text, const wxString& caption,
                    MessageIcon icon);

}  // namespace zintor
