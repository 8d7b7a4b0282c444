#include "qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace qor {

namespace {

QString catalogFor(const QString& langCode)
{
    if (langCode == u"KOR")
        return QStringLiteral("qtbase_ko");
    if (langCode == u"CHR")
        return QStringLiteral("qtbase_zh_CN");
    return {};
}

} // namespace

void useQtTranslations(const QString& langCode)
{
    static std::unique_ptr<QTranslator> installed;
    if (installed)
        QCoreApplication::removeTranslator(installed.get());
    installed.reset();
    const QString catalog = catalogFor(langCode);
    if (catalog.isEmpty())
        return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(catalog, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        installed = std::move(translator);
    }
}

} // namespace qor
