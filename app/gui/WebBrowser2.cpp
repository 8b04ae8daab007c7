// Navigate over wxWebView, keeping WebKit from opening dropped files itself, and a pane without
// a history to step back into.
#include "app/gui/WebBrowser2.h"

#include <webkit2/webkit2.h>

#include <vector>

#include <wx/dnd.h>
#include <wx/webview.h>

#include "app/gui/BytePathPages.h"
#include "app/window/PageUrl.h"

namespace zintor {
namespace {

// The pane shows one page at a time: what came before it is the blank start page or another
// log's page, which the user reaches through the side menu. So the page's context menu
// offers no stepping back and forth through a history (nor stopping a load of a local
// file); reloading and copying stay.
bool IsHistoryAction(WebKitContextMenuAction action) {
    return action == WEBKIT_CONTEXT_MENU_ACTION_GO_BACK ||
           action == WEBKIT_CONTEXT_MENU_ACTION_GO_FORWARD ||
           action == WEBKIT_CONTEXT_MENU_ACTION_STOP;
}

extern "C" gboolean DropHistoryItems(WebKitWebView*, WebKitContextMenu* menu, GdkEvent*,
                                     WebKitHitTestResult*, gpointer) {
    std::vector<WebKitContextMenuItem*> drop;
    bool separatorMayGo = true;  // no separator at the top or twice in a row
    for (GList* entry = webkit_context_menu_get_items(menu); entry; entry = entry->next) {
        auto* item = WEBKIT_CONTEXT_MENU_ITEM(entry->data);
        bool separator = webkit_context_menu_item_is_separator(item);
        if (IsHistoryAction(webkit_context_menu_item_get_stock_action(item)) ||
            (separator && separatorMayGo)) {
            drop.push_back(item);
        } else {
            separatorMayGo = separator;
        }
    }
    for (WebKitContextMenuItem* item : drop) webkit_context_menu_remove(menu, item);
    guint left = webkit_context_menu_get_n_items(menu);
    if (left > 0 && webkit_context_menu_item_is_separator(
                        webkit_context_menu_get_item_at_position(menu, left - 1))) {
        webkit_context_menu_remove(menu, webkit_context_menu_get_item_at_position(menu, left - 1));
    }
    return webkit_context_menu_get_n_items(menu) == 0;  // nothing left: no menu
}

}  // namespace

bool CWebBrowser2::Create(wxWindow* parent) {
    view_ = wxWebView::New(parent, wxID_ANY, "about:blank", wxDefaultPosition, wxDefaultSize,
                           wxWebViewBackendDefault, wxBORDER_NONE);
    if (!view_) return false;
    view_->Bind(wxEVT_WEBVIEW_NAVIGATING, &CWebBrowser2::OnNavigating, this);
    auto* webView = static_cast<WebKitWebView*>(view_->GetNativeBackend());
    ServeBytePathPages(webkit_web_view_get_context(webView));
    g_signal_connect(webView, "context-menu", G_CALLBACK(DropHistoryItems), nullptr);
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

void CWebBrowser2::ShowAgain(const std::string& url) {
    if (!view_) return;
    if (url != requested_ || view_->GetCurrentURL().utf8_string() != url) {
        Navigate(url);
        return;
    }
    view_->Reload(wxWEBVIEW_RELOAD_NO_CACHE);
}

void CWebBrowser2::AcceptDrops(wxDropTarget* dropTarget,
                               std::function<void(const std::string&)> onForeignFile) {
    onForeignFile_ = std::move(onForeignFile);
    if (!view_) {
        delete dropTarget;
        return;
    }
    // WebKit registers its own pane as a drop target and opens what is dropped on it; the
    // toolkit has no call to undo that.
    gtk_drag_dest_unset(GTK_WIDGET(view_->GetNativeBackend()));
    view_->SetDropTarget(dropTarget);
}

// Files dropped on the pane that WebKit still takes itself go to the drop handler; the pane
// never steps through a history.
void CWebBrowser2::OnNavigating(wxWebViewEvent& event) {
    std::string url = event.GetURL().utf8_string();
    switch (JudgePaneLoad(url, requested_)) {
        case PaneLoad::Allow:
            return;
        case PaneLoad::Refuse:
            event.Veto();
            return;
        case PaneLoad::HandOver:
            event.Veto();
            if (onForeignFile_) onForeignFile_(PathOfFileUrl(url));
            return;
    }
}

}  // namespace zintor
