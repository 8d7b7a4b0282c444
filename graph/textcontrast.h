#pragma once

#include <QColor>

// Text that stays readable on its background whatever colours the user chose: the plots keep their
// colours, and the texts named after them are darkened (on a light background) or lightened (on a
// dark one) just as far as reading needs.
namespace qor::textcontrast {

// The contrast ratio of the two colours' relative luminances, from 1 (none) to 21 (black on white).
double ratio(const QColor& a, const QColor& b);

// What the legend's texts keep: the level for normal text.
inline constexpr double ForText = 4.5;
// What the texts drawn into the graph keep, its axis labels and cursor labels: the level for large
// text and graphics, which the shipped colours of both styles meet as they are.
inline constexpr double ForGraphText = 3.0;

// `text` itself where it has at least `least` contrast on `background`; otherwise the colour mixed
// towards black or white, whichever reads better there, until it has.
QColor readableOn(const QColor& text, const QColor& background, double least = ForText);

} // namespace qor::textcontrast
