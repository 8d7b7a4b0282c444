#include "subwindowsize.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>

namespace qor {

namespace {

// Watches one sub-window: each time it shows in its normal state, or leaves the maximised state for
// it, the frame takes the design size within the area.
class DesignSizeKeeper final : public QObject {
  public:
    DesignSizeKeeper(QMdiSubWindow& sub, QMdiArea& area, QSize design)
        : QObject(&sub)
        , m_sub(sub)
        , m_area(area)
        , m_design(design)
    {
        sub.installEventFilter(this);
        connect(&sub, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates before, Qt::WindowStates) {
            if (before & Qt::WindowMaximized)
                fit();
        });
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_sub && event->type() == QEvent::Show)
            fit();
        return false;
    }

  private:
    // The design size of the content with the frame's border and title bar around it.
    QSize framedDesign() const
    {
        const int border = m_sub.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &m_sub);
        const int title = m_sub.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &m_sub);
        return m_design + QSize(2 * border, title + border);
    }

    void fit()
    {
        if (m_sub.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
            return;
        const QSize area = m_area.viewport()->size();
        m_sub.resize(framedDesign().boundedTo(area));
        if (!QRect(QPoint(0, 0), area).contains(m_sub.geometry()))
            m_sub.move(0, 0);
    }

    QMdiSubWindow& m_sub;
    QMdiArea& m_area;
    QSize m_design;
};

} // namespace

void SlotSubWindow::conceal()
{
    leaveMaximized();
    hide();
}

void SlotSubWindow::reveal()
{
    if (isMinimized())
        showNormal();
    show();
}

bool SlotSubWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget() && event->type() == QEvent::Close)
        leaveMaximized();
    return QMdiSubWindow::eventFilter(watched, event);
}

// A state change shows a hidden sub-window, so only a shown one changes.
void SlotSubWindow::leaveMaximized()
{
    if (isVisible() && isMaximized())
        setWindowState(windowState() & ~Qt::WindowMaximized);
}

void keepDesignSize(QMdiSubWindow& sub, QMdiArea& area, QSize design)
{
    new DesignSizeKeeper(sub, area, design);
}

void cascadeSubWindows(QMdiArea& area)
{
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* sub : area.subWindowList(QMdiArea::StackingOrder)) {
        if (!sub->isHidden())
            shown << sub;
    }
    if (shown.isEmpty())
        return;
    const QStyle* style = shown.front()->style();
    const int step = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, shown.front()) +
                     style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, shown.front());
    const QSize room = area.viewport()->size();
    const int offset = step * static_cast<int>(shown.size() - 1);
    const QSize size(std::max(room.width() - offset, room.width() / 2), std::max(room.height() - offset, room.height() / 2));
    QMdiSubWindow* active = area.activeSubWindow();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        QMdiSubWindow* sub = shown[i];
        sub->showNormal();
        sub->setGeometry(QRect(QPoint(step * static_cast<int>(i), step * static_cast<int>(i)), size));
        sub->raise();
    }
    if (active && !active->isHidden())
        active->raise();
}

} // namespace qor
