#include "timeslider.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qor {

TimeSlider::TimeSlider(QWidget* parent)
    : QWidget(parent)
    , m_axis(QString(), 0.0, 1.0, [this] { axisChanged(); })
{
    setObjectName(QStringLiteral("CWSlide7"));
    setFocusPolicy(Qt::StrongFocus);
    m_axis.setFormatString(graphstyle::AbsoluteAxisFormat);
    m_axis.setMajorDivisions(4);
}

TimeSlider::~TimeSlider() = default;

double TimeSlider::withinRange(double value) const
{
    return std::clamp(value, std::min(m_axis.minimum(), m_axis.maximum()), std::max(m_axis.minimum(), m_axis.maximum()));
}

void TimeSlider::setValue(double value)
{
    const double kept = withinRange(value);
    if (kept == m_value)
        return;
    m_value = kept;
    update();
    Q_EMIT valueChanged(m_value);
}

// A new range keeps the value within it without telling anyone: only a value that was set moves
// what the slider scrolls.
void TimeSlider::axisChanged()
{
    m_value = withinRange(m_value);
    update();
}

void TimeSlider::setBackColor(const QColor& color)
{
    m_backColor = color;
    update();
}

QSize TimeSlider::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QStringLiteral("00/00 00:00:00")) * 5, metrics.height() * 3};
}

QRectF TimeSlider::track() const
{
    const QFontMetricsF metrics(font());
    // Room at both ends for half a label and the thumb.
    const qreal side = metrics.horizontalAdvance(m_axis.tickLabel(m_axis.minimum())) / 2 + 2;
    const qreal thickness = std::max<qreal>(6, metrics.height() / 2);
    return QRectF(side, metrics.height() / 2, std::max<qreal>(1, width() - 2 * side), thickness);
}

QRectF TimeSlider::thumb() const
{
    const QRectF bar = track();
    const qreal half = bar.height() * 0.6;
    return QRectF(pixelOf(m_value) - half, bar.top() - bar.height() / 2, 2 * half, bar.height() * 2);
}

double TimeSlider::pixelOf(double value) const
{
    const QRectF bar = track();
    const double span = m_axis.maximum() - m_axis.minimum();
    return span != 0 ? bar.left() + (value - m_axis.minimum()) / span * bar.width() : bar.left();
}

double TimeSlider::valueAt(double pixel) const
{
    const QRectF bar = track();
    return m_axis.minimum() + (pixel - bar.left()) / bar.width() * (m_axis.maximum() - m_axis.minimum());
}

void TimeSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), m_backColor);
    const QRectF bar = track();
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(bar, bar.height() / 2, bar.height() / 2);
    paintScale(painter);
    painter.setPen(QPen(palette().color(QPalette::Dark), 1));
    painter.setBrush(hasFocus() ? palette().color(QPalette::Highlight) : palette().color(QPalette::Button));
    painter.drawRoundedRect(thumb(), 2, 2);
}

void TimeSlider::paintScale(QPainter& painter) const
{
    const QFontMetricsF metrics(font());
    const std::vector<double> ticks = m_axis.majorTicks();
    const QRectF bar = track();
    qreal widest = 0;
    for (double tick : ticks)
        widest = std::max(widest, metrics.horizontalAdvance(m_axis.tickLabel(tick)));
    const double spacing = bar.width() / m_axis.majorDivisions();
    const auto stride = static_cast<std::size_t>(std::max(1.0, std::ceil((widest + metrics.averageCharWidth() * 2) / spacing)));
    // Black or white text, whichever reads better on the background.
    const QColor text = m_backColor.lightnessF() < 0.5 ? Qt::white : Qt::black;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const double x = bar.left() + spacing * static_cast<double>(i);
        painter.setPen(QPen(text, 1));
        painter.drawLine(QPointF(x, bar.bottom() + 2), QPointF(x, bar.bottom() + 5));
        if (i % stride != 0)
            continue;
        const QString label = m_axis.tickLabel(ticks[i]);
        const qreal labelWidth = metrics.horizontalAdvance(label);
        const qreal left = std::clamp<qreal>(x - labelWidth / 2, 0, width() - labelWidth);
        painter.drawText(QPointF(left, bar.bottom() + 6 + metrics.ascent()), label);
    }
}

void TimeSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const double x = event->position().x();
    m_grabOffset = thumb().contains(event->position()) ? x - pixelOf(m_value) : 0;
    setValue(valueAt(x - m_grabOffset));
}

void TimeSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        setValue(valueAt(event->position().x() - m_grabOffset));
}

void TimeSlider::keyPressEvent(QKeyEvent* event)
{
    const double range = m_axis.maximum() - m_axis.minimum();
    switch (event->key()) {
    case Qt::Key_Left:
        setValue(m_value - range / 100);
        break;
    case Qt::Key_Right:
        setValue(m_value + range / 100);
        break;
    case Qt::Key_PageUp:
        setValue(m_value - range / 10);
        break;
    case Qt::Key_PageDown:
        setValue(m_value + range / 10);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace qor
