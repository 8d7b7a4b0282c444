#include "subwindowsize.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

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

void keepDesignSize(QMdiSubWindow& sub, QMdiArea& area, QSize design)
{
    new DesignSizeKeeper(sub, area, design);
}

} // namespace qor
