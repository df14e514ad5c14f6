#include "core/qttranslations.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations()
{
    if (installed)
        QCoreApplication::removeTranslator(installed.get());
}

QString QtTranslations::localeName(const QString &languageCode)
{
    static const QHash<QString, QString> locales{
        {QStringLiteral("English"), QStringLiteral("en")},
        {QStringLiteral("ChineseSimplified"), QStringLiteral("zh_CN")},
        {QStringLiteral("ChineseTraditional"), QStringLiteral("zh_TW")},
        {QStringLiteral("German"), QStringLiteral("de")},
        {QStringLiteral("French"), QStringLiteral("fr")},
        {QStringLiteral("Italian"), QStringLiteral("it")},
        {QStringLiteral("Spanish"), QStringLiteral("es")},
    };
    return locales.value(languageCode);
}

bool QtTranslations::use(const QString &languageCode)
{
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const QString locale = localeName(languageCode);
    if (locale.isEmpty() || locale == QLatin1String("en"))
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + locale,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}
