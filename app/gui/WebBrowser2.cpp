// Navigate over wxWebView, and keeping WebKit from opening dropped files itself.
#include "app/gui/WebBrowser2.h"

#include <dlfcn.h>

#include <wx/dnd.h>
#include <wx/webview.h>

#include "app/PageUrl.h"
#include "platform/PathParts.h"

namespace zintor {
namespace {

// WebKit registers its own pane as a drop target and opens what is dropped on it. The
// toolkit offers no call to undo that; the GTK function does, and GTK is loaded already.
void UnsetNativeDropTarget(void* widget) {
    using DragDestUnset = void (*)(void*);
    void* gtk = ::dlopen("libgtk-3.so.0", RTLD_LAZY | RTLD_NOLOAD);
    if (!gtk) return;
    if (auto unset = reinterpret_cast<DragDestUnset>(::dlsym(gtk, "gtk_drag_dest_unset"))) unset(widget);
    ::dlclose(gtk);
}

bool IsPageFile(const std::string& path) {
    std::string ext = SplitPath(path).ext;
    for (char& c : ext) c = static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    return ext == ".html" || ext == ".htm";
}

}  // namespace

bool CWebBrowser2::Create(wxWindow* parent, int id) {
    view_ = wxWebView::New(parent, id, "about:blank", wxDefaultPosition, wxDefaultSize, wxWebViewBackendDefault,
                           wxBORDER_NONE);
    if (!view_) return false;
    view_->Bind(wxEVT_WEBVIEW_NAVIGATING, &CWebBrowser2::OnNavigating, this);
    return true;
}

void CWebBrowser2::Navigate(const std::string& url) {
    if (!view_) return;
    requested_ = url;
    std::string html = InlineHtmlOf(url);
    if (!html.empty()) {
        view_->SetPage(wxString::FromUTF8(html), "");
    } else {
        view_->LoadURL(wxString::FromUTF8(url));
    }
}

void CWebBrowser2::AcceptDrops(wxDropTarget* dropTarget, std::function<void(const std::string&)> onForeignFile) {
    onForeignFile_ = std::move(onForeignFile);
    if (!view_) {
        delete dropTarget;
        return;
    }
    UnsetNativeDropTarget(view_->GetNativeBackend());
    view_->SetDropTarget(dropTarget);
}

// A local file that is not the page we asked for and is no page at all can only come from
// a drop that WebKit took itself; it goes to the drop handler instead. Links between pages
// and places within a page load as usual.
void CWebBrowser2::OnNavigating(wxWebViewEvent& event) {
    std::string url = event.GetURL().utf8_string();
    std::string path = PathOfFileUrl(url);
    if (path.empty() || IsPageFile(path) || path == PathOfFileUrl(requested_)) return;
    event.Veto();
    if (onForeignFile_) onForeignFile_(path);
}

}  // namespace zintor
