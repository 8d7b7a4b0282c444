#pragma once

#include <QString>

class QWidget;

namespace qor {

// What a window outside the graph side knows of a slot's trend graph window, so that it never
// includes a graph header.
class GraphFormView {
  public:
    virtual ~GraphFormView() = default;

    // The window itself: its frame, its visibility.
    virtual QWidget* formWidget() = 0;
    // Its caption: the model's title and the file's path.
    virtual QString caption() const = 0;
    // The time-axis range shown now, zoom included.
    virtual double shownFrom() const = 0;
    virtual double shownTo() const = 0;
    // Shows the span between two times, given in either order.
    virtual void showSpan(double from, double to) = 0;
    // The text of information line `line` (0 to 2): on the combined graph window, the path of file
    // `line` + 1.
    virtual QString infoLine(int line) const = 0;
};

// GraphForm, the trend graph window of a slot, and TableForm, its table window. A window of one
// side reaches the other side's window only through these references.
GraphFormView* GraphForm(int slot);
QWidget* TableForm(int slot);
// GraphForm(slot)'s window; nullptr without one.
QWidget* graphFormWidget(int slot);
void setGraphForm(int slot, GraphFormView* window);
void setTableForm(int slot, QWidget* window);

// SlotLoaded: slot 1 or 2 holds a file, which its graph window shows. A slot takes a file only when
// it was read, and lets it go when its graph window closes; activating a window changes nothing.
bool SlotLoaded(int slot);

} // namespace qor
