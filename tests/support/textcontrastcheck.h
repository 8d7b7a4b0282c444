#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

class QWidget;

// What a person can read: the contrast of the texts a window shows with what they stand on.
namespace textcheck {

// The weakest contrast of the shown labels with text under `widget` with their backgrounds, and
// the label that has it, with its colours ("" when none has text).
struct Weakest {
    double ratio = 21;
    QString label;
};
Weakest weakestLabel(const QWidget& widget);

// The strongest contrast that a pixel of `area` of the picture has with `background`: the full ink
// of any text drawn there.
double strongestInk(const QImage& picture, const QRect& area, const QColor& background);

} // namespace textcheck
