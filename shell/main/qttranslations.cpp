#include "qttranslations.h"

#include "data/interfacelanguage.h"
#include "shell/errorlog.h"
#include "shell/programstate.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace qor {

QString qtCatalogFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool useQtTranslations(const QString& langCode, const QString& catalogFolder)
{
    std::unique_ptr<QTranslator>& installed = programState().qtTranslator;
    installed.reset(); // a translator leaves the application as it is destroyed
    const InterfaceLanguage* language = interfaceLanguage(langCode);
    const QString catalog = language ? language->qtCatalog.toString() : QString();
    if (catalog.isEmpty())
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(catalog, catalogFolder)) {
        WriteErrorLog(
            QStringLiteral("Qt's dialog texts stay in English: the catalog %1 is not in %2 (Debian package qt6-translations-l10n)")
                .arg(catalog, catalogFolder));
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

} // namespace qor
