#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>

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
};

// The window references of each slot (1 to 3) and the slots' loaded flags. A window that is
// destroyed drops out of its reference by itself.
class SlotWindows {
  public:
    GraphFormView* graphForm(int slot) const;
    QWidget* tableForm(int slot) const;
    void setGraphForm(int slot, GraphFormView* window);
    void setTableForm(int slot, QWidget* window);
    bool slotLoaded(int slot) const;
    void setSlotLoaded(int slot, bool loaded);

  private:
    struct GraphRef {
        QPointer<QWidget> widget; // guards `view` against a destroyed window
        GraphFormView* view = nullptr;
    };
    std::array<GraphRef, 3> m_graphForms;
    std::array<QPointer<QWidget>, 3> m_tableForms;
    std::array<bool, 2> m_slotLoaded{};
};

// GraphForm, the trend graph window of a slot, and TableForm, its table window. A window of one
// side reaches the other side's window only through these references.
GraphFormView* GraphForm(int slot);
QWidget* TableForm(int slot);
// GraphForm(slot)'s window; nullptr without one.
QWidget* graphFormWidget(int slot);
void setGraphForm(int slot, GraphFormView* window);
void setTableForm(int slot, QWidget* window);

// SlotLoaded: the graph window of slot 1 or 2 is open with data. A graph window sets its flag when
// it is activated and clears it when it is closed; the open command reads them to choose a slot.
bool SlotLoaded(int slot);
void setSlotLoaded(int slot, bool loaded);

} // namespace qor
