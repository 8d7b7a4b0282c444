#pragma once

#include "data/textkeys.h"

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace qor {

// What a menu item is, besides its place in the tree.
enum MenuFlag : unsigned {
    StartsDisabled = 1u << 0,
    StartsChecked = 1u << 1,
    Checkable = 1u << 2,          // carries a check mark (choices of the time axis, style, width, grids, language, window)
    FileCommand = 1u << 3,        // needs an open file: switched on by an open, off when the last file closes
    TopFileMenu = 1u << 4,        // a top-level menu among the file commands, which the combined view switches off
    GraphWindowCommand = 1u << 5, // works on a slot's graph window: on while one is the active window
};

// One item of the main window's menu tree: its object name, the menu it belongs to (empty for a
// top-level menu), the string-table entry of its caption, if any, its flags and its shortcuts, the
// first of which the menu shows.
struct MenuItem {
    QString name;
    QString parent;
    std::optional<MDIFormText> captionKey;
    unsigned flags = 0;
    QList<QKeySequence> shortcuts = {};

    bool is(MenuFlag flag) const { return (flags & flag) != 0; }
};

// The menu tree in order.
const std::vector<MenuItem>& mainMenuItems();

// The names of the items that have `flag`, in menu order.
QStringList menuItemsWith(MenuFlag flag);

// The string-table entry of each toolbar button's caption; button n is entry n - 1.
const std::vector<MDIFormText>& toolbarCaptionKeys();

// The toolbar buttons that start enabled; all others start disabled.
bool buttonStartsEnabled(int index);

} // namespace qor
