#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <vector>

namespace qor {

// The axes of a trend graph.
enum class GraphAxis { Time = 1, Output = 2, Temperature = 3 };

// One axis of the trend graph or the time slider (`Axes(i)`, `Axis`): its visible range, the
// pattern of its tick labels, its divisions and colours. A time axis holds date serials and has a
// date pattern ("mm/dd hh:nn:ss", or "hhhh:nn:ss" for elapsed hours); with no pattern the labels are
// plain numbers. The owner passes a function that is called after every change, to redraw.
class TrendAxis {
  public:
    TrendAxis(QString caption, double minimum, double maximum, std::function<void()> changed);

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    void setMinimum(double minimum);
    void setMaximum(double maximum);
    // Both ends in one call (`SetMinMax`).
    void setMinMax(double minimum, double maximum);

    QString formatString() const { return m_formatString; }
    void setFormatString(const QString& pattern);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // `Ticks.MajorDivisions`: the range is cut into this many equal parts, each with a grid line.
    int majorDivisions() const { return m_majorDivisions; }
    void setMajorDivisions(int divisions);
    // `Ticks.MinorGrid`: fainter grid lines between the major ones.
    bool minorGrid() const { return m_minorGrid; }
    void setMinorGrid(bool on);

    QColor majorTickColor() const { return m_majorTickColor; }
    void setMajorTickColor(const QColor& color);
    QColor labelColor() const { return m_labelColor; }
    void setLabelColor(const QColor& color);
    QColor captionColor() const { return m_captionColor; }
    void setCaptionColor(const QColor& color);

    // The values of the major ticks, both ends included.
    std::vector<double> majorTicks() const;
    // The text of a tick at `value`: the pattern applied to a date serial, or a number with as many
    // decimals as the division step needs.
    QString tickLabel(double value) const;

    static constexpr int MinorPerMajor = 5;

  private:
    void set(double& member, double value);

    QString m_caption;
    double m_minimum;
    double m_maximum;
    QString m_formatString;
    int m_majorDivisions = 5;
    bool m_minorGrid = false;
    QColor m_majorTickColor = Qt::black;
    QColor m_labelColor = Qt::black;
    QColor m_captionColor = Qt::black;
    std::function<void()> m_changed;
};

} // namespace qor
