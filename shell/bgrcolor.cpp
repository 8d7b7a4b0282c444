#include "bgrcolor.h"

#include <QGuiApplication>
#include <QPalette>

namespace qor {

QColor fromBgr(qint32 value)
{
    const auto bits = static_cast<quint32>(value);
    if (bits & 0x80000000u)
        return QGuiApplication::palette().color(QPalette::Button);
    return QColor(static_cast<int>(bits & 0xff), static_cast<int>((bits >> 8) & 0xff), static_cast<int>((bits >> 16) & 0xff));
}

qint32 toBgr(const QColor& color)
{
    return color.red() | color.green() << 8 | color.blue() << 16;
}

} // namespace qor
