#pragma once

#include <QColor>

namespace qor {

// Colours as the settings file and the program state hold them: 0x00BBGGRR, or, with the top bit
// set, a system colour (0x8000000F is the face colour of buttons).
inline constexpr qint32 ButtonFaceColor = static_cast<qint32>(0x8000000F);

QColor fromBgr(qint32 value);
qint32 toBgr(const QColor& color);

} // namespace qor
