// The locale and the toolkit's catalog of the window's process.
#include "app/gui/ToolkitLanguage.h"

#include <clocale>

#include <wx/translation.h>

namespace zintor {

void UseTheUsersLanguage() {
    // The toolkit keeps the "C" locale unless asked: its dialogs and strerror stay English.
    // Messages come in the user's language; a locale the system does not have leaves "C",
    // and English texts, in place. Characters are UTF-8, as the toolkit's own texts and ours
    // are, whatever the user's locale says: a Japanese character type makes the web view
    // draw nothing at all.
    std::setlocale(LC_MESSAGES, "");
    std::setlocale(LC_CTYPE, "C.UTF-8");
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);  // owned by the toolkit from here on
    translations->AddStdCatalog();
}

}  // namespace zintor
