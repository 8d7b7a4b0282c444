#pragma once

#include <QString>

namespace qor {

// Makes Qt's own dialog texts (file, colour and print dialogs and their buttons) follow the
// interface language, as far as the installed Qt translation catalogs provide them.
void useQtTranslations(const QString& langCode);

} // namespace qor
