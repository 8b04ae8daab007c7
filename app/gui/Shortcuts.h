// The window's keys, declared once: the menus show each command's key from this table, and
// the key handler, which sees every key before the focused control does, acts on it.
#pragma once

#include <span>

namespace zintor {

// The modifier keys a row asks for.
enum class KeyMods {
    NoAlt,      // Alt up; Ctrl and Shift either way
    CtrlNoAlt,  // Ctrl down, Alt up; Shift either way
    AltAlone,   // Alt down, Ctrl and Shift up
    Alt,        // Alt down; Ctrl and Shift either way
};

struct Shortcut {
    int key;  // the toolkit's key code
    KeyMods mods;
    int command;  // the command the key posts; 0 when the key is taken and does nothing
    bool inMenu;  // the menu item of command shows this key
};

// Every row, in the order they are looked at.
std::span<const Shortcut> WindowShortcuts();

// The first row for key with these modifiers down; null when there is none, and the key goes
// on to the focused control.
const Shortcut* ShortcutFor(int key, bool ctrl, bool alt, bool shift);

// The row whose key the menu item of command shows; null when it shows none.
const Shortcut* MenuShortcutOf(int command);

}  // namespace zintor
