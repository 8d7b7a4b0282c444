#pragma once

#include <QString>

#include <vector>

namespace qor {

// One item of the main window's menu tree: its object name, the menu it belongs to (empty for a
// top-level menu), the MDIForm string-table key of its caption (0: none) and its state at start.
struct MenuItem {
    QString name;
    QString parent;
    int captionKey = 0;
    bool startsDisabled = false;
    bool startsChecked = false;
};

// The menu tree in order.
const std::vector<MenuItem>& mainMenuItems();

// The MDIForm string-table key of each toolbar button's caption; button n is entry n - 1.
const std::vector<int>& toolbarCaptionKeys();

// The toolbar buttons that start enabled; all others start disabled.
bool buttonStartsEnabled(int index);

} // namespace qor
