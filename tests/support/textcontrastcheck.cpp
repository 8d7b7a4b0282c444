#include "textcontrastcheck.h"

#include "graph/textcontrast.h"

#include <QLabel>

namespace textcheck {

Weakest weakestLabel(const QWidget& widget)
{
    Weakest weakest;
    for (const QLabel* label : widget.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        const QColor text = label->palette().color(QPalette::WindowText);
        const QColor back = label->palette().color(QPalette::Window);
        const double ratio = qor::textcontrast::ratio(text, back);
        if (ratio < weakest.ratio)
            weakest = {ratio, QStringLiteral("%1 \"%2\" %3 on %4").arg(label->objectName(), label->text(), text.name(), back.name())};
    }
    return weakest;
}

double strongestInk(const QImage& picture, const QRect& area, const QColor& background)
{
    double strongest = 1;
    const QRect inside = area.intersected(picture.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            strongest = std::max(strongest, qor::textcontrast::ratio(picture.pixelColor(x, y), background));
    }
    return strongest;
}

} // namespace textcheck
