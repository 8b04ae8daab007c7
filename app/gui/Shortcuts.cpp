// The keys of the main window. Keys that would do something unwanted in the browser pane
// (Backspace going back, Enter, single letters, F1) are taken and do nothing.
#include "app/gui/Shortcuts.h"

#include <algorithm>

#include <wx/defs.h>

#include "resources/ResourceSet.h"

namespace zintor {
namespace {

constexpr Shortcut kShortcuts[] = {
    {WXK_F4, KeyMods::AltAlone, kCmdExit, false},
    {WXK_LEFT, KeyMods::Alt, 0, false},  // the pane keeps no history to step through
    {WXK_RIGHT, KeyMods::Alt, 0, false},
    {WXK_RETURN, KeyMods::NoAlt, 0, false},
    {WXK_NUMPAD_ENTER, KeyMods::NoAlt, 0, false},
    {WXK_ESCAPE, KeyMods::NoAlt, kCmdExit, true},
    {WXK_BACK, KeyMods::CtrlNoAlt, kCmdOpenLogFiles, true},
    {WXK_BACK, KeyMods::NoAlt, 0, false},
    {'O', KeyMods::NoAlt, 0, false},
    {'S', KeyMods::CtrlNoAlt, kCmdSideMenu, true},
    {'S', KeyMods::NoAlt, 0, false},
    {WXK_F1, KeyMods::NoAlt, 0, false},  // no help
    {WXK_F5, KeyMods::NoAlt, kCmdRefresh, true},
};

bool ModsMatch(KeyMods mods, bool ctrl, bool alt, bool shift) {
    switch (mods) {
        case KeyMods::NoAlt:
            return !alt;
        case KeyMods::CtrlNoAlt:
            return ctrl && !alt;
        case KeyMods::AltAlone:
            return alt && !ctrl && !shift;
        case KeyMods::Alt:
            return alt;
    }
    return false;
}

}  // namespace

std::span<const Shortcut> WindowShortcuts() { return kShortcuts; }

const Shortcut* ShortcutFor(int key, bool ctrl, bool alt, bool shift) {
    auto row = std::find_if(std::begin(kShortcuts), std::end(kShortcuts), [&](const Shortcut& s) {
        return s.key == key && ModsMatch(s.mods, ctrl, alt, shift);
    });
    return row == std::end(kShortcuts) ? nullptr : row;
}

const Shortcut* MenuShortcutOf(int command) {
    auto row = std::find_if(std::begin(kShortcuts), std::end(kShortcuts),
                            [&](const Shortcut& s) { return s.inMenu && s.command == command; });
    return row == std::end(kShortcuts) ? nullptr : row;
}

}  // namespace zintor
