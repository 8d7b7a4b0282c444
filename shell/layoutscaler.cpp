#include "layoutscaler.h"

#include "errorlog.h"

#include <QComboBox>

#include <algorithm>

namespace qor {

namespace {

const QString ResizeLabel = QStringLiteral("frmObject(frmNo).ResizeControls_Err");

QRectF toTwips(const QRect& pixels)
{
    return {pixels.x() * LayoutScaler::TwipsPerPixel, pixels.y() * LayoutScaler::TwipsPerPixel,
            pixels.width() * LayoutScaler::TwipsPerPixel, pixels.height() * LayoutScaler::TwipsPerPixel};
}

int toPixels(double twips)
{
    return qRound(twips / LayoutScaler::TwipsPerPixel);
}

} // namespace

LayoutScaler::LayoutScaler(QWidget* window, QSizeF referenceTwips)
    : m_window(window)
    , m_reference(referenceTwips)
{
}

void LayoutScaler::SaveSizes()
{
    m_controls.clear();
    const QList<QWidget*> controls = m_window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        const double fontSize = control->font().pointSizeF();
        bool ownPlace = false;
        for (const QWidget* w = control; w && w != m_window && !ownPlace; w = w->parentWidget())
            ownPlace = w->property(OwnPlaceProperty).toBool();
        m_controls.push_back({control, toTwips(control->geometry()), fontSize > 0 ? fontSize : 0, ownPlace});
    }
}

QSizeF LayoutScaler::currentScale() const
{
    const QSize outer = m_window->frameGeometry().size();
    return {outer.width() * TwipsPerPixel / m_reference.width(), outer.height() * TwipsPerPixel / m_reference.height()};
}

void LayoutScaler::ResizeControls()
{
    if (m_window->isMinimized() || m_controls.empty())
        return;
    const QSizeF scale = currentScale();
    bool fontStepReached = false;
    for (const Recorded& recorded : m_controls) {
        QWidget* control = recorded.control;
        if (!control) {
            // A control that went away before any font was scaled ends the routine, as an error
            // does; later ones are passed over.
            if (!fontStepReached) {
                WriteErrorLog(QStringLiteral("A recorded control no longer exists. ") + ResizeLabel);
                return;
            }
            continue;
        }
        const QRectF& r = recorded.twips;
        const bool keepsHeight = qobject_cast<QComboBox*>(control) != nullptr;
        const int height = keepsHeight ? control->height() : toPixels(r.height() * scale.height());
        if (!recorded.ownPlace)
            control->setGeometry(toPixels(r.x() * scale.width()), toPixels(r.y() * scale.height()), toPixels(r.width() * scale.width()),
                                 height);
        fontStepReached = true;
        if (recorded.fontSize > 0) {
            QFont font = control->font();
            font.setPointSizeF(std::max(recorded.fontSize * scale.height(), std::min(recorded.fontSize, MinimumPointSize)));
            control->setFont(font);
        }
    }
}

} // namespace qor
