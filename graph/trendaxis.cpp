#include "trendaxis.h"

#include "data/datetime.h"

#include <cmath>

namespace qor {

namespace {

// The fewest decimals (at most four) that show the first tick and the division step exactly, so
// that neighbouring labels differ and no label carries trailing noise.
int decimalsFor(double first, double step)
{
    constexpr int MostDecimals = 4;
    int decimals = 0;
    for (double scale = 1; decimals < MostDecimals; ++decimals, scale *= 10) {
        const auto whole = [scale](double v) {
            return std::abs(v * scale - std::round(v * scale)) < 1e-6 * std::max(1.0, std::abs(v * scale));
        };
        if (whole(first) && whole(step))
            break;
    }
    return decimals;
}

} // namespace

TrendAxis::TrendAxis(QString caption, double minimum, double maximum, std::function<void()> changed)
    : m_caption(std::move(caption))
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_changed(std::move(changed))
{
}

void TrendAxis::set(double& member, double value)
{
    if (member == value)
        return;
    member = value;
    m_changed();
}

void TrendAxis::setMinimum(double minimum)
{
    set(m_minimum, minimum);
}

void TrendAxis::setMaximum(double maximum)
{
    set(m_maximum, maximum);
}

void TrendAxis::setMinMax(double minimum, double maximum)
{
    if (m_minimum == minimum && m_maximum == maximum)
        return;
    m_minimum = minimum;
    m_maximum = maximum;
    m_changed();
}

void TrendAxis::setFormatString(const QString& pattern)
{
    m_formatString = pattern;
    m_changed();
}

void TrendAxis::setCaption(const QString& caption)
{
    m_caption = caption;
    m_changed();
}

void TrendAxis::setMajorDivisions(int divisions)
{
    m_majorDivisions = std::max(1, divisions);
    m_changed();
}

void TrendAxis::setMinorGrid(bool on)
{
    m_minorGrid = on;
    m_changed();
}

void TrendAxis::setMajorTickColor(const QColor& color)
{
    m_majorTickColor = color;
    m_changed();
}

void TrendAxis::setLabelColor(const QColor& color)
{
    m_labelColor = color;
    m_changed();
}

void TrendAxis::setCaptionColor(const QColor& color)
{
    m_captionColor = color;
    m_changed();
}

std::vector<double> TrendAxis::majorTicks() const
{
    std::vector<double> ticks;
    ticks.reserve(static_cast<std::size_t>(m_majorDivisions) + 1);
    for (int i = 0; i <= m_majorDivisions; ++i)
        ticks.push_back(m_minimum + (m_maximum - m_minimum) * i / m_majorDivisions);
    return ticks;
}

QString TrendAxis::tickLabel(double value) const
{
    if (!m_formatString.isEmpty())
        return datetime::format(value, m_formatString);
    const double step = std::abs(m_maximum - m_minimum) / m_majorDivisions;
    const double shown = std::abs(value) < step * 1e-9 ? 0.0 : value;
    return QString::number(shown, 'f', decimalsFor(m_minimum, step));
}

} // namespace qor
