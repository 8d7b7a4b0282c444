#include "slotwindows.h"

#include "mainframe.h"

#include <QPointer>

#include <array>
#include <stdexcept>

namespace qor {

namespace {

std::array<QPointer<QWidget>, 3> graphForms;
std::array<QPointer<QWidget>, 3> tableForms;
MainFrame* theMainFrame = nullptr;
std::array<bool, 2> slotLoaded{};

QPointer<QWidget>& at(std::array<QPointer<QWidget>, 3>& forms, int slot)
{
    if (slot < 1 || slot > 3)
        throw std::out_of_range("file slot outside 1..3");
    return forms[static_cast<std::size_t>(slot - 1)];
}

} // namespace

QWidget* GraphForm(int slot)
{
    return at(graphForms, slot);
}

QWidget* TableForm(int slot)
{
    return at(tableForms, slot);
}

void setGraphForm(int slot, QWidget* window)
{
    at(graphForms, slot) = window;
}

void setTableForm(int slot, QWidget* window)
{
    at(tableForms, slot) = window;
}

bool SlotLoaded(int slot)
{
    if (slot < 1 || slot > 2)
        throw std::out_of_range("SlotLoaded is kept for slots 1 and 2");
    return slotLoaded[static_cast<std::size_t>(slot - 1)];
}

void setSlotLoaded(int slot, bool loaded)
{
    if (slot < 1 || slot > 2)
        throw std::out_of_range("SlotLoaded is kept for slots 1 and 2");
    slotLoaded[static_cast<std::size_t>(slot - 1)] = loaded;
}

MainFrame* mainFrame()
{
    return theMainFrame;
}

void setMainFrame(MainFrame* frame)
{
    theMainFrame = frame;
}

} // namespace qor
