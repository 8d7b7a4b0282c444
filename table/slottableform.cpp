#include "slottableform.h"

#include "data/loadeddataset.h"
#include "shell/programstate.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

namespace qor {

SlotTableForm::SlotTableForm(int slot, QSizeF referenceTwips, QWidget* parent)
    : QWidget(parent)
    , m_slot(slot)
    , m_scaler(this, referenceTwips)
{
    resize((referenceTwips / LayoutScaler::TwipsPerPixel).toSize());
}

void SlotTableForm::Activate()
{
    loadedData().FileNo = static_cast<qint16>(m_slot);
}

QWidget* SlotTableForm::frame() const
{
    return m_subWindow ? static_cast<QWidget*>(m_subWindow) : const_cast<SlotTableForm*>(this);
}

void SlotTableForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Activate();
    else if (event->type() == QEvent::ParentChange)
        followSubWindow();
}

void SlotTableForm::followSubWindow()
{
    if (m_subWindow)
        disconnect(m_subWindow, nullptr, this, nullptr);
    m_subWindow = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!m_subWindow)
        return;
    connect(m_subWindow, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates, Qt::WindowStates now) {
        if (now.testFlag(Qt::WindowActive))
            Activate();
    });
}

void SlotTableForm::closeEvent(QCloseEvent* event)
{
    event->ignore();
    frame()->hide();
}

void SlotTableForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_scaler.ResizeControls();
}

} // namespace qor
