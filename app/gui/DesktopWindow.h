// What the main window asks of the desktop's window manager and reads back from it. On X11 a
// manager frames, places and stacks the top-level windows itself; these are the requests and
// readings that make the window come back where the settings say and be stacked as the user
// chose, under any manager that follows the desktop's window-manager conventions, or none.
#pragma once

#include <functional>

#include <wx/gdicmn.h>

#include "app/window/WindowPlacement.h"

class wxTopLevelWindow;

namespace zintor {

// The window's outer rectangle, the manager's frame included, in screen coordinates, as the
// manager reports it; the toolkit's idea of it before the window is on screen.
wxRect OuterFrameRect(const wxTopLevelWindow& window);

// The window's outer rectangle read from the display server, with what the manager says of the
// window there (its state, its frame), judged by JudgeFrameReport; outer is set only when the
// verdict is Take.
FrameVerdict ReadSettledFrame(const wxTopLevelWindow& window, wxRect& outer);

// Moves and sizes the window so that its outer rectangle becomes outer, with the frame the
// manager has put around it.
void SetOuterFrameRect(wxTopLevelWindow& window, const wxRect& outer);

// Says that the window's position is the user's own (as one restored from the settings is),
// so that managers that place new windows themselves keep it. Before the window is shown.
void MarkPositionAsUsers(wxTopLevelWindow& window);

// True once the window is on screen: shown, and mapped by the manager.
bool IsMapped(const wxTopLevelWindow& window);

// Calls action from the event loop once the window is on screen (soon, when it is already).
// States such as topmost and maximised are asked for only then: a manager takes them from
// a message it follows both ways, and remembers the window's normal rectangle behind them.
void WhenMapped(wxTopLevelWindow& window, std::function<void()> action);

// True while a menu holds the keyboard: a menu of the menu bar opened with the mouse, F10 or
// Alt and a letter, or a pop-up menu. Its keys (Esc closes it) are the menu's, not the window's.
bool MenuHoldsKeyboard();

}  // namespace zintor
