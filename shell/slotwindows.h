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

// SlotLoaded: the graph window of slot 1 or 2 is open with data. A graph window sets its flag when
// it is activated and clears it when it is closed; the open command reads them to choose a slot.
bool SlotLoaded(int slot);
void setSlotLoaded(int slot, bool loaded);

} // namespace qor
