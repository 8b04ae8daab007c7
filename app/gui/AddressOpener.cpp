// The desktop's default browser, through the toolkit.
#include "app/gui/AddressOpener.h"

#include <wx/log.h>
#include <wx/utils.h>

#include "app/window/PageUrl.h"
#include "platform/FileSystem.h"

namespace zintor {

bool OpenWithDefaultHandler(const std::string& address) {
    // A page that is not there opens in no browser, whatever the desktop would start for it.
    std::string path = PathOfFileUrl(address);
    if (!path.empty() && !FileExists(path)) return false;
    wxLogNull quiet;  // the caller says "Could not Open." itself
    return wxLaunchDefaultBrowser(wxString::FromUTF8(address), wxBROWSER_NOBUSYCURSOR);
}

std::function<bool(const std::string&)>& AddressOpener() {
    static std::function<bool(const std::string&)> opener = OpenWithDefaultHandler;
    return opener;
}

}  // namespace zintor
