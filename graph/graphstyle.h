#pragma once

#include <QColor>
#include <QString>

// The colours and time patterns that every graph window, its controls and the commands on it share.
namespace qor::graphstyle {

// The light style's background of the window, legend and slider, and its graph frame.
inline const QColor LightBack(0xE0, 0xE0, 0xE0);
// The dark style's background of the window, legend and slider.
inline const QColor DarkBack(0x40, 0x40, 0x40);
// The dark style's graph frame.
inline const QColor DarkFrame(0x30, 0x30, 0x30);
// The text of a legend item that is switched off.
inline const QColor UncheckedText(0xC0, 0xC0, 0xC0);
// Cursor lines and labels in the light style.
inline const QColor LightCursorText(0x40, 0x40, 0x40);

// The time axis and slider labels against clock time and against the time since the first record.
inline const QString AbsoluteAxisFormat = QStringLiteral("mm/dd hh:nn:ss");
inline const QString RelativeAxisFormat = QStringLiteral("hhhh:nn:ss");

} // namespace qor::graphstyle
