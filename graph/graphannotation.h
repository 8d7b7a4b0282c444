#pragma once

#include <QColor>
#include <QString>

#include <functional>

namespace qor {

// A text shown at an anchor point of the plot area (`Annotations(a)`). The anchor's X is on the
// time axis; its Y is in the units of the temperature axis (`Axes(3)`), whichever axis the plots
// use. The text starts just right of the anchor with its baseline at the anchor, and is pushed back
// inside the plot area where it would leave it.
class GraphAnnotation {
  public:
    explicit GraphAnnotation(std::function<void()> changed);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QColor captionColor() const { return m_captionColor; }
    void setCaptionColor(const QColor& color);
    double x() const { return m_x; }
    double y() const { return m_y; }
    void setAnchor(double x, double y);
    void setX(double x);
    void setY(double y);

  private:
    bool m_visible = false;
    QString m_caption;
    QColor m_captionColor = Qt::black;
    double m_x = 0;
    double m_y = 0;
    std::function<void()> m_changed;
};

} // namespace qor
