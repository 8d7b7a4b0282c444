#include "busyinputgate.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>

namespace qor {

namespace {

// The events by which the user asks something of a widget. Keys and window closes are judged on
// their own.
bool isPointerOrDropInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

BusyInputGate::BusyInputGate(QAbstractButton& cancel)
    : m_cancel(cancel)
{
    QCoreApplication::instance()->installEventFilter(this);
}

BusyInputGate::~BusyInputGate()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool BusyInputGate::eventFilter(QObject* watched, QEvent* event)
{
    // A window object hands input on to the widget it is meant for, where it is judged.
    if (watched->isWindowType())
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        event->accept(); // no shortcut fires; the key press that follows comes here
        return true;
    case QEvent::Shortcut:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            m_cancel.click();
        return true;
    case QEvent::Close:
        // Only the user's close: the program may still close its own small windows, such as tips.
        if (!event->spontaneous())
            return false;
        event->ignore(); // an accepted close event would close the window all the same
        return true;
    default:
        return isPointerOrDropInput(event->type()) && watched != &m_cancel;
    }
}

} // namespace qor
