#include "slotwindows.h"

#include "programstate.h"

#include <stdexcept>

namespace qor {

namespace {

std::size_t slotIndex(int slot)
{
    if (slot < 1 || slot > 3)
        throw std::out_of_range("file slot outside 1..3");
    return static_cast<std::size_t>(slot - 1);
}

std::size_t loadedIndex(int slot)
{
    if (slot < 1 || slot > 2)
        throw std::out_of_range("SlotLoaded is kept for slots 1 and 2");
    return static_cast<std::size_t>(slot - 1);
}

SlotWindows& windows()
{
    return programState().windows;
}

} // namespace

GraphFormView* SlotWindows::graphForm(int slot) const
{
    const GraphRef& ref = m_graphForms[slotIndex(slot)];
    return ref.widget ? ref.view : nullptr;
}

QWidget* SlotWindows::tableForm(int slot) const
{
    return m_tableForms[slotIndex(slot)];
}

void SlotWindows::setGraphForm(int slot, GraphFormView* window)
{
    m_graphForms[slotIndex(slot)] = {window ? window->formWidget() : nullptr, window};
}

void SlotWindows::setTableForm(int slot, QWidget* window)
{
    m_tableForms[slotIndex(slot)] = window;
}

bool SlotWindows::slotLoaded(int slot) const
{
    return m_slotLoaded[loadedIndex(slot)];
}

void SlotWindows::setSlotLoaded(int slot, bool loaded)
{
    m_slotLoaded[loadedIndex(slot)] = loaded;
}

GraphFormView* GraphForm(int slot)
{
    return windows().graphForm(slot);
}

QWidget* TableForm(int slot)
{
    return windows().tableForm(slot);
}

QWidget* graphFormWidget(int slot)
{
    GraphFormView* view = GraphForm(slot);
    return view ? view->formWidget() : nullptr;
}

void setGraphForm(int slot, GraphFormView* window)
{
    windows().setGraphForm(slot, window);
}

void setTableForm(int slot, QWidget* window)
{
    windows().setTableForm(slot, window);
}

bool SlotLoaded(int slot)
{
    return windows().slotLoaded(slot);
}

void setSlotLoaded(int slot, bool loaded)
{
    windows().setSlotLoaded(slot, loaded);
}

} // namespace qor
