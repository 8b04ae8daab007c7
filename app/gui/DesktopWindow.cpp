// The window manager's frame, the user-position hint, the moment a window is mapped, and menus
// holding the keyboard, through GTK and GDK under the toolkit.
#include "app/gui/DesktopWindow.h"

#include <gtk/gtk.h>

#include <algorithm>

#include <wx/toplevel.h>

namespace zintor {
namespace {

GtkWidget* WidgetOf(const wxTopLevelWindow& window) {
    return static_cast<GtkWidget*>(window.GetHandle());
}

GdkWindow* GdkWindowOf(const wxTopLevelWindow& window) {
    GtkWidget* widget = WidgetOf(window);
    return widget ? gtk_widget_get_window(widget) : nullptr;
}

struct PendingAction {
    wxTopLevelWindow* window;
    std::function<void()> action;
    gulong handler = 0;
};

extern "C" gboolean OnMapEvent(GtkWidget* widget, GdkEvent*, gpointer data) {
    auto* pending = static_cast<PendingAction*>(data);
    wxTopLevelWindow* window = pending->window;
    std::function<void()> action = std::move(pending->action);
    g_signal_handler_disconnect(widget, pending->handler);  // frees pending
    window->CallAfter(std::move(action));
    return FALSE;
}

extern "C" void FreePendingAction(gpointer data, GClosure*) {
    delete static_cast<PendingAction*>(data);
}

}  // namespace

wxRect OuterFrameRect(const wxTopLevelWindow& window) {
    GdkWindow* gdk = GdkWindowOf(window);
    if (!gdk || !IsMapped(window)) return window.GetRect();
    // The manager's _NET_FRAME_EXTENTS around the window's own place on the root window; the
    // window itself when no manager frames it.
    GdkRectangle frame;
    gdk_window_get_frame_extents(gdk, &frame);
    return wxRect(frame.x, frame.y, frame.width, frame.height);
}

void SetOuterFrameRect(wxTopLevelWindow& window, const wxRect& outer) {
    GtkWidget* widget = WidgetOf(window);
    if (!widget || !IsMapped(window)) {
        window.SetSize(outer);
        return;
    }
    GdkWindow* gdk = gtk_widget_get_window(widget);
    wxRect now = OuterFrameRect(window);
    int width = gdk_window_get_width(gdk), height = gdk_window_get_height(gdk);
    // With the window's gravity at its top left, the manager puts the frame's corner where the
    // window is moved to. Asked of the window itself: GTK would not repeat a request it
    // believes it has made already, whatever the manager made of it.
    gdk_window_move_resize(gdk, outer.x, outer.y, std::max(1, outer.width - (now.width - width)),
                           std::max(1, outer.height - (now.height - height)));
}

void MarkPositionAsUsers(wxTopLevelWindow& window) {
    GtkWidget* widget = WidgetOf(window);
    if (!widget) return;
    GdkGeometry geometry{};
    gtk_window_set_geometry_hints(GTK_WINDOW(widget), nullptr, &geometry, GDK_HINT_USER_POS);
}

bool IsMapped(const wxTopLevelWindow& window) {
    GdkWindow* gdk = GdkWindowOf(window);
    return gdk && window.IsShown() && gtk_widget_get_mapped(WidgetOf(window)) &&
           (gdk_window_get_state(gdk) & GDK_WINDOW_STATE_WITHDRAWN) == 0;
}

void WhenMapped(wxTopLevelWindow& window, std::function<void()> action) {
    GtkWidget* widget = WidgetOf(window);
    if (!widget || IsMapped(window)) {
        window.CallAfter(std::move(action));
        return;
    }
    auto* pending = new PendingAction{&window, std::move(action)};
    pending->handler = g_signal_connect_data(widget, "map-event", G_CALLBACK(OnMapEvent), pending,
                                             FreePendingAction, GConnectFlags(G_CONNECT_AFTER));
}

bool MenuHoldsKeyboard() {
    GtkWidget* grab = gtk_grab_get_current();
    return grab && GTK_IS_MENU_SHELL(grab);
}

}  // namespace zintor
