#pragma once

#include <QWidget>

namespace qor {

// The program-wide window references of each slot (1 to 3): GraphForm, the trend graph window,
// and TableForm, the table window. A window of one side reaches the other side's window only
// through these references, never by including its header.
QWidget* GraphForm(int slot);
QWidget* TableForm(int slot);
void setGraphForm(int slot, QWidget* window);
void setTableForm(int slot, QWidget* window);

} // namespace qor
