#pragma once

#include "graphstyle.h"
#include "trendaxis.h"

#include <QColor>
#include <QWidget>

namespace qor {

// The time slider (`CWSlide7`): a thumb on a scale of date serials, which scrolls a zoomed time
// window. `value` is kept within the axis range (`Axis.Minimum` to `Axis.Maximum`); every change of
// the value by the user or by setValue raises valueChanged, while a changed axis range that pulls
// the value in does not (setting the range from code never scrolls anything). The scale
// shows tick labels in the axis pattern ("mm/dd hh:nn:ss" until set), thinned out where they would
// overlap. The mouse drags the thumb or jumps it to a click on the track; the arrow keys move it by
// a hundredth of the range, Page Up and Page Down by a tenth.
class TimeSlider final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimeSlider)

  public:
    explicit TimeSlider(QWidget* parent = nullptr);
    ~TimeSlider() override;

    double value() const { return m_value; }
    void setValue(double value);
    TrendAxis& axis() { return m_axis; }
    const TrendAxis& axis() const { return m_axis; }
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    QSize sizeHint() const override;

  Q_SIGNALS:
    void valueChanged(double value);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QRectF track() const;
    QRectF thumb() const;
    double valueAt(double pixel) const;
    double withinRange(double value) const;
    double pixelOf(double value) const;
    void axisChanged();
    void paintScale(QPainter& painter) const;

    TrendAxis m_axis;
    double m_value = 0;
    QColor m_backColor = graphstyle::LightBack;
    double m_grabOffset = 0;
};

} // namespace qor
