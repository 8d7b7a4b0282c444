#pragma once

#include <QFont>
#include <QString>

namespace qor {

// The font for grid cells whose texts hold the characters of `sample` (the interface language's
// time designators): `base` when it has them all, else `base`'s size in an installed family that
// has them, sans-serif first. Without it a row would mix fonts: the designators drawn by a fallback
// font and everything around them by the base font, in sizes that do not match.
QFont fontCovering(const QFont& base, const QString& sample);

} // namespace qor
