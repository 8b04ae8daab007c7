// The browser pane: a thin wrapper of the toolkit's web view whose one operation is
// Navigate. Inline "about:<html>..." addresses are shown from their text; every other
// address is loaded. Files dropped on the pane reach the window's drop handler instead of
// being opened by the web view itself.
#pragma once

#include <functional>
#include <string>

class wxWebView;
class wxWindow;
class wxWebViewEvent;
class wxDropTarget;

namespace zintor {

class CWebBrowser2 {
  public:
    // Creates the web view as a child of parent, showing the blank page.
    bool Create(wxWindow* parent);

    void Navigate(const std::string& url);
    // Shows url again after its file was rewritten: reloaded in place, at the place it was
    // scrolled to and without a blank page in between, when the pane shows it; otherwise
    // navigated to.
    void ShowAgain(const std::string& url);

    // The files dropped on the pane go to dropTarget; a file the web view would still open
    // on its own (a local file that is no page) goes to onForeignFile instead.
    void AcceptDrops(wxDropTarget* dropTarget,
                     std::function<void(const std::string& path)> onForeignFile);

    wxWebView* View() const { return view_; }

  private:
    void OnNavigating(wxWebViewEvent& event);

    wxWebView* view_ = nullptr;
    std::string requested_ = "about:blank";
    std::function<void(const std::string&)> onForeignFile_;
};

}  // namespace zintor
