#include "textcontrast.h"

#include <algorithm>
#include <cmath>

namespace qor::textcontrast {

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

QColor mixed(const QColor& from, const QColor& to, double share)
{
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    const auto channel = [share](int x, int y) { return qRound(x + (y - x) * share); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()));
}

} // namespace

double ratio(const QColor& a, const QColor& b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor readableOn(const QColor& text, const QColor& background, double least)
{
    if (ratio(text, background) >= least)
        return text;
    // Black reads better on a background lighter than the middle grey (luminance 0.18), white on a
    // darker one.
    const QColor end = luminance(background) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    constexpr int Steps = 50;
    for (int step = 1; step < Steps; ++step) {
        const QColor candidate = mixed(text, end, double(step) / Steps);
        if (ratio(candidate, background) >= least)
            return candidate;
    }
    return end;
}

} // namespace qor::textcontrast
