#include "graphbusydisplay.h"

#include "shell/mainframe.h"
#include "shell/stringtable.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace qor {

GraphBusyDisplay::GraphBusyDisplay(Widgets busy)
    : m_busy(busy)
{
    QObject::connect(m_busy.cancel, &QPushButton::clicked, m_busy.cancel, [this] { m_cancelled = true; });
}

void GraphBusyDisplay::showBusyNotice(int dots, Cancellable cancellable)
{
    const bool offersCancel = cancellable == Cancellable::Yes;
    m_busy.caption->setText(stringEntry(GraphText::Converting) + QString(dots, u'.'));
    m_busy.progress->setValue(0);
    // Qt's own text, translated with Qt for the interface language.
    m_busy.cancel->setText(QCoreApplication::translate("QPlatformTheme", "Cancel"));
    m_busy.cancel->setVisible(offersCancel);
    m_cancelled = false;
    if (offersCancel)
        m_inputGate.emplace(*m_busy.cancel);
    m_lastRepaint.invalidate();
    m_busy.frame->raise();
    m_busy.frame->show();
    m_shown = true;
    if (MainFrame* frame = mainFrame())
        frame->updateCommands();
    // The busy pointer says that the window still takes a click (on Cancel); the wait pointer that
    // it takes none.
    QApplication::setOverrideCursor(offersCancel ? Qt::BusyCursor : Qt::WaitCursor);
    processPendingEvents();
}

// Lets the window repaint while a long read goes on, a few times a second (a repaint costs more
// than reading a buffer).
bool GraphBusyDisplay::setBusyProgress(double fraction)
{
    constexpr qint64 RepaintMilliseconds = 150;
    m_busy.progress->setValue(qRound(fraction * m_busy.progress->maximum()));
    if (!m_lastRepaint.isValid() || m_lastRepaint.elapsed() >= RepaintMilliseconds) {
        processPendingEvents();
        m_lastRepaint.start();
    }
    return !m_cancelled;
}

void GraphBusyDisplay::hideBusyNotice()
{
    m_inputGate.reset();
    m_busy.frame->hide();
    m_shown = false;
    QApplication::restoreOverrideCursor();
    if (MainFrame* frame = mainFrame())
        frame->updateCommands();
}

// With the input gate up, user input reaches the Cancel button alone (see BusyInputGate); without
// it, user input waits until the task is done.
void GraphBusyDisplay::processPendingEvents()
{
    QCoreApplication::processEvents(m_inputGate ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

} // namespace qor
