// The one table of Xelmor's commands: every menu item in menu order with its text and shortcut,
// and every internal or accelerator-only command, each with the object that handles it.
#pragma once

#include <span>

namespace xelmor {

// The object a command is delivered to. None: nobody handles it (a greyed menu item, or an
// accelerator of the edit controls that the window does not take).
enum class CommandOwner { None, App, Frame, Doc, View, Panel, FixReflRot };

struct CommandEntry {
    int id;
    CommandOwner owner;
    const char* menu;               // top-level menu text, or nullptr for a command in no menu
    const char* submenu;            // submenu text inside `menu`, or nullptr
    const char* text;               // item text as the menu shows it
    const char* shortcut = nullptr; // window-level shortcut, or nullptr
    bool separatorBefore = false;
};

// Every command in menu order; the internal commands follow the menu items.
std::span<const CommandEntry> CommandTable();

// The entry of `id`, or nullptr when the program has no such command.
const CommandEntry* FindCommand(int id);

} // namespace xelmor
