#pragma once

#include <QString>

namespace qor {

// Where Qt's own translation catalogs are installed.
QString qtCatalogFolder();

// Makes Qt's own dialog texts (file, colour and print dialogs and their buttons) follow the
// interface language, as far as the installed Qt translation catalogs provide them. Where the
// language's catalog is missing, Qt's texts stay in English and the error log says why (returns
// false).
bool useQtTranslations(const QString& langCode, const QString& catalogFolder = qtCatalogFolder());

} // namespace qor
