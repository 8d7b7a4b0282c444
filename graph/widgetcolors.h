#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace qor {

// The text colour of a label or frame (its palette's window text).
inline void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

// The colour a widget fills its background with.
inline void setBackColor(QWidget* widget, const QColor& color)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

} // namespace qor
