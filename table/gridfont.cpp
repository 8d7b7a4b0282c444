#include "gridfont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QList>
#include <QStringList>

#include <optional>

namespace qor {

namespace {

bool covers(const QFont& font, const QString& sample)
{
    const QFontMetrics metrics(font);
    for (const char32_t c : sample.toUcs4()) {
        if (!metrics.inFontUcs4(c))
            return false;
    }
    return true;
}

// The family `family` exactly, at the base font's size and style; nullopt when the family is not
// what the font database resolves it to.
std::optional<QFont> inFamily(const QFont& base, const QString& family)
{
    QFont font(base);
    font.setFamily(family);
    if (QFontInfo(font).family() != family)
        return std::nullopt;
    return font;
}

} // namespace

QFont fontCovering(const QFont& base, const QString& sample)
{
    if (covers(base, sample))
        return base;
    const QStringList families = QFontDatabase::families();
    for (const bool sansOnly : {true, false}) {
        for (const QString& family : families) {
            if (sansOnly && !family.contains(u"Sans"))
                continue;
            const std::optional<QFont> font = inFamily(base, family);
            if (font && covers(*font, sample))
                return *font;
        }
    }
    return base;
}

} // namespace qor
