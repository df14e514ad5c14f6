#include "settings/languagestrings.h"

#include "settings/dpiswitchtexts.h"
#include "settings/namelists.h"
#include "settings/settingsstore.h"

#include <QSettings>

LanguageStrings::LanguageStrings(SettingsStore &store)
    : dir(store.languageDir())
{}

LanguageStrings::LanguageStrings(const QString &languageDir)
    : dir(languageDir)
{}

QStringList LanguageStrings::getLangStrings(const QString &typeStr, const QString &langCode)
{
    if (kairo::names::isPathLike(langCode))
        return {};
    // Opened afresh each time: the user may have switched languages.
    QSettings texts(dir + QLatin1Char('/') + langCode + QStringLiteral(".ini"),
                    QSettings::IniFormat);
    const int total = qMin(texts.value(typeStr + QStringLiteral("/total")).toInt(), maxGroupTexts);
    QStringList result;
    for (int i = 0; i < total; ++i) {
        const QVariant text = texts.value(typeStr + QStringLiteral("/%1").arg(i));
        // A text with an unquoted comma reads back as a list; it is one text.
        if (text.typeId() == QMetaType::QStringList)
            result.append(text.toStringList().join(QStringLiteral(", ")));
        else
            result.append(text.toString());
    }
    if (typeStr == QLatin1String("other")) {
        QStringList &switchTexts = dpiSwitchTexts();
        for (int i = 0; i < 8 && i < result.size(); ++i)
            switchTexts[i] = result[i];
    }
    return result;
}

QString LanguageStrings::configured(const QString &configPath, const QString &languageDir,
                                    const QString &group, int index, const QString &english)
{
    const QString language = QSettings(configPath, QSettings::IniFormat)
                                 .value(QStringLiteral("common/language"))
                                 .toString();
    const QString text = LanguageStrings(languageDir).getLangStrings(group, language).value(index);
    return text.isEmpty() ? english : text;
}
