#pragma once

#include <QString>

class QAction;

// Triggers `command`, which shows a modal window, and closes that window as Cancel would. Returns
// the window's object name; empty when no modal window came up.
QString modalWindowShownBy(QAction& command);
