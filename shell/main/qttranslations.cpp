#include "qttranslations.h"

#include "data/interfacelanguage.h"
#include "shell/errorlog.h"

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
    static std::unique_ptr<QTranslator> installed;
    if (installed)
        QCoreApplication::removeTranslator(installed.get());
    installed.reset();
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
