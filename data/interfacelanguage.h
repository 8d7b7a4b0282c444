#pragma once

#include <QStringView>

#include <array>

namespace qor {

// The interface languages, each with everything that depends on it: the code kept in the settings
// file, the language file of the string table, the morning and afternoon designators of the general
// date-and-time text, and Qt's own catalog of dialog texts (none for English, Qt's own language).
struct InterfaceLanguage {
    QStringView code;
    QStringView fileName;
    QStringView am;
    QStringView pm;
    QStringView qtCatalog;
};

inline constexpr std::array<InterfaceLanguage, 3> InterfaceLanguages = {{
    {u"KOR", u"DataString-rKR.xml", u"오전", u"오후", u"qtbase_ko"},
    {u"ENG", u"DataString-rUS.xml", u"AM", u"PM", u""},
    {u"CHR", u"DataString-rCH.xml", u"上午", u"下午", u"qtbase_zh_CN"},
}};

// The language of `code`, or nullptr for a code that names none.
const InterfaceLanguage* interfaceLanguage(QStringView code);

} // namespace qor
