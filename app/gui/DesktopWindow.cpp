// The window manager's frame and the rectangle it has confirmed, the user-position hint, the
// moment a window is mapped, and menus holding the keyboard, through GTK, GDK and X11.
#include "app/gui/DesktopWindow.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include <wx/toplevel.h>

// Last: X11 defines names as plain macros, one of them WhenMapped (a backing-store setting).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#undef WhenMapped

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

// The 32-bit items of a property of the window, as the server holds it now; none when it is
// not there.
std::vector<long> PropertyItems(Display* display, Window xid, const char* name, Atom type) {
    Atom property = XInternAtom(display, name, True);
    std::vector<long> items;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (property != None &&
        XGetWindowProperty(display, xid, property, 0, 64, False, type, &actualType, &format, &count,
                           &after, &data) == Success &&
        data) {
        if (actualType == type && format == 32) {
            const long* values = reinterpret_cast<const long*>(data);
            items.assign(values, values + count);
        }
        XFree(data);
    }
    return items;
}

bool HoldsAnyState(Display* display, const std::vector<long>& states,
                   std::initializer_list<const char*> names) {
    for (const char* name : names) {
        Atom state = XInternAtom(display, name, True);
        if (state != None && std::find(states.begin(), states.end(), long(state)) != states.end())
            return true;
    }
    return false;
}

bool InNormalState(const wxTopLevelWindow& window) {
    return !window.IsMaximized() && !window.IsIconized() && !window.IsFullScreen();
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

FrameVerdict ReadSettledFrame(const wxTopLevelWindow& window, wxRect& outer) {
    GdkWindow* gdk = GdkWindowOf(window);
    if (!gdk || !IsMapped(window) || !InNormalState(window)) return FrameVerdict::NotANormal;
    if (!GDK_IS_X11_WINDOW(gdk)) {
        outer = OuterFrameRect(window);
        return FrameVerdict::Take;
    }
    Display* display = GDK_WINDOW_XDISPLAY(gdk);
    Window xid = GDK_WINDOW_XID(gdk);
    GdkDisplay* gdkDisplay = gdk_window_get_display(gdk);
    gdk_x11_display_error_trap_push(gdkDisplay);  // the window may go meanwhile
    FrameReport report;
    report.framesWindows = gdk_x11_screen_supports_net_wm_hint(
        gdk_window_get_screen(gdk), gdk_atom_intern_static_string("_NET_FRAME_EXTENTS"));
    std::vector<long> frame = PropertyItems(display, xid, "_NET_FRAME_EXTENTS", XA_CARDINAL);
    report.framed = frame.size() == 4;  // left, right, top, bottom
    if (!report.framed) frame.assign(4, 0);
    report.normalState =
        !HoldsAnyState(display, PropertyItems(display, xid, "_NET_WM_STATE", XA_ATOM),
                       {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ",
                        "_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_HIDDEN"});
    Window root = None, child = None;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (XGetGeometry(display, xid, &root, &x, &y, &width, &height, &border, &depth) &&
        XTranslateCoordinates(display, xid, root, 0, 0, &x, &y, &child)) {
        report.serverWidth = static_cast<int>(width);
        report.serverHeight = static_cast<int>(height);
    }
    gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
    int scale = gdk_window_get_scale_factor(gdk);
    report.toolkitWidth = gdk_window_get_width(gdk) * scale;
    report.toolkitHeight = gdk_window_get_height(gdk) * scale;
    FrameVerdict verdict = JudgeFrameReport(report);
    if (verdict == FrameVerdict::Take) {
        outer = wxRect(x - static_cast<int>(frame[0]), y - static_cast<int>(frame[2]),
                       report.serverWidth + static_cast<int>(frame[0] + frame[1]),
                       report.serverHeight + static_cast<int>(frame[2] + frame[3]));
    }
    return verdict;
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
