#pragma once

#include "data/textkeys.h"

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace qor {

// What a menu item is, besides its place in the tree. Which items are enabled follows the program's
// mode (shell/programmodes.h).
enum MenuFlag : unsigned {
    StartsChecked = 1u << 0,
    // One of a choice (the time axis, style, width, grids, language, window): the checkable items of a
    // menu carry check marks, one at a time, and choosing the checked one again leaves it checked.
    Checkable = 1u << 1,
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

// The string-table entry of each toolbar button's caption; button n is entry n - 1.
const std::vector<MDIFormText>& toolbarCaptionKeys();

} // namespace qor
