#include "slotwindows.h"

#include "programstate.h"

#include <QWidget>

#include <stdexcept>

namespace qor {

namespace {

WindowRef& at(std::array<WindowRef, 3>& refs, int slot)
{
    if (slot < 1 || slot > 3)
        throw std::out_of_range("file slot outside 1..3");
    return refs[static_cast<std::size_t>(slot - 1)];
}

} // namespace

GraphFormView* GraphForm(int slot)
{
    const WindowRef& ref = at(programState().graphForms, slot);
    return ref.alive() ? ref.view : nullptr;
}

QWidget* TableForm(int slot)
{
    const WindowRef& ref = at(programState().tableForms, slot);
    return ref.alive() ? ref.widget : nullptr;
}

QWidget* graphFormWidget(int slot)
{
    GraphFormView* view = GraphForm(slot);
    return view ? view->formWidget() : nullptr;
}

void setGraphForm(int slot, GraphFormView* window)
{
    QWidget* widget = window ? window->formWidget() : nullptr;
    at(programState().graphForms, slot) = {widget, widget, window};
}

void setTableForm(int slot, QWidget* window)
{
    at(programState().tableForms, slot) = {window, window, nullptr};
}

bool SlotLoaded(int slot)
{
    if (slot < 1 || slot > 2)
        throw std::out_of_range("SlotLoaded is kept for slots 1 and 2");
    return !loadedData().slot(slot).FilePath.isEmpty();
}

} // namespace qor
