#include "busycanceller.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QWindow>

BusyCanceller::BusyCanceller(QWidget& frame, By by, std::function<void()> meanwhile)
    : m_frame(frame)
    , m_by(by)
    , m_meanwhile(std::move(meanwhile))
{
    // A zero interval fires at every pass of the event loop, so at every repaint of the notice.
    connect(&m_poll, &QTimer::timeout, this, &BusyCanceller::poll);
    m_poll.start(0);
}

void BusyCanceller::poll()
{
    const auto* progress = m_frame.findChild<QProgressBar*>();
    if (m_frame.isHidden() || !progress || progress->value() == 0)
        return;
    m_poll.stop();
    if (m_meanwhile)
        m_meanwhile();
    m_cancelledAt = static_cast<double>(progress->value()) / progress->maximum();
    cancel();
}

// Through the path real input takes: the window gets the click or the key and hands it on, the
// click to the widget under the pointer, the key to its focus widget after trying it as a shortcut.
void BusyCanceller::cancel()
{
    QWidget* topLevel = m_frame.window();
    QWindow* window = topLevel->windowHandle();
    QVERIFY(window);
    if (m_by == By::Escape) {
        QTest::keyClick(window, Qt::Key_Escape);
        return;
    }
    const auto* button = m_frame.findChild<QPushButton*>(QStringLiteral("BusyCancel"));
    QVERIFY(button && button->isVisible());
    QTest::mouseClick(window, Qt::LeftButton, {}, button->mapTo(topLevel, button->rect().center()));
}
