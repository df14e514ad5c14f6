// The language files shipped beside the program: every one reads back through
// LanguageStrings with the same positions as English, keeps the padding of
// button texts and the key names the macros rely on.

#include "operations/keynametable.h"
#include "settings/dpiswitchtexts.h"
#include "settings/languagestrings.h"

#include <QFileInfo>
#include <QtTest>

namespace {

const QStringList languageCodes{
    "English", "ChineseSimplified", "ChineseTraditional", "German", "French", "Italian", "Spanish"};

// The pages address texts by position, so each group needs at least this many.
const QList<QPair<QString, int>> groups{{"keyMatrix", 20},   {"keyAssigment", 65},
                                        {"dpiSetting", 11},  {"lightControl", 28},
                                        {"macroEditor", 27}, {"systemSetting", 16},
                                        {"gunControl", 10},  {"profile", 6},
                                        {"keyCode", 133},    {"warningAssigment", 8},
                                        {"other", 10},       {"capture", 3},
                                        {"dialogs", 5},      {"tray", 4},
                                        {"device", 7},       {"disk", 9},
                                        {"mouse", 4},        {"files", 7}};

bool padded(const QString &text, bool leading)
{
    return !text.isEmpty() && (leading ? text.front() : text.back()).isSpace();
}

} // namespace

class TestSettingsLanguages : public QObject
{
    Q_OBJECT

private:
    LanguageStrings languages{QStringLiteral(KAIRO_SOURCE_I18N)};
    QHash<QString, QStringList> english;

private slots:
    void initTestCase()
    {
        for (const QString &code : languageCodes)
            QVERIFY2(QFileInfo::exists(QStringLiteral(KAIRO_SOURCE_I18N "/") + code + ".ini"),
                     qPrintable(code));
        for (const auto &[group, total] : groups) {
            english[group] = languages.getLangStrings(group, "English");
            QCOMPARE(english[group].size(), total);
        }
        // The pages keep the padding of button texts; a reader that trimmed
        // it would make the per-language check below vacuous.
        QCOMPARE(english["keyMatrix"].at(10), QStringLiteral(" OK "));
        QCOMPARE(english["warningAssigment"].at(4), QStringLiteral(" OK "));
    }

    void everyLanguageFitsThePages_data()
    {
        QTest::addColumn<QString>("code");
        for (const QString &code : languageCodes)
            QTest::newRow(qPrintable(code)) << code;
    }

    void everyLanguageFitsThePages()
    {
        QFETCH(QString, code);
        for (const auto &[group, total] : groups) {
            const QStringList texts = languages.getLangStrings(group, code);
            const QStringList &reference = english[group];
            QVERIFY2(texts.size() == reference.size(),
                     qPrintable(QStringLiteral("%1: %2 texts").arg(group).arg(texts.size())));
            int translated = 0;
            for (qsizetype i = 0; i < texts.size(); ++i) {
                const QString where =
                    QStringLiteral("%1/%2 \"%3\"").arg(group).arg(i).arg(texts[i]);
                // Empty positions are reserved for pages still to come.
                QVERIFY2(texts[i].isEmpty() == reference[i].isEmpty(), qPrintable(where));
                QVERIFY2(padded(texts[i], true) == padded(reference[i], true), qPrintable(where));
                QVERIFY2(padded(texts[i], false) == padded(reference[i], false), qPrintable(where));
                QVERIFY2(!texts[i].contains(QChar::ReplacementCharacter), qPrintable(where));
                QVERIFY2(!texts[i].contains(QLatin1Char('\n')), qPrintable(where));
                // The program fills in %1 (a file, a name, a count).
                QVERIFY2(texts[i].contains(QStringLiteral("%1"))
                             == reference[i].contains(QStringLiteral("%1")),
                         qPrintable(where));
                if (!texts[i].isEmpty() && texts[i] != reference[i])
                    ++translated;
            }
            // Macros store key names, so every language must use the same ones.
            if (group == QLatin1String("keyCode"))
                QCOMPARE(texts, reference);
            else if (code != QLatin1String("English"))
                QVERIFY2(translated * 2
                             >= std::count_if(reference.begin(), reference.end(),
                                              [](const QString &t) { return !t.isEmpty(); }),
                         qPrintable(group + QStringLiteral(" looks untranslated")));
        }

        // The file dialogs filter by the pattern in parentheses, which only
        // its name around it may translate.
        const QStringList files = languages.getLangStrings("files", code);
        QVERIFY2(files.at(3).endsWith(QStringLiteral("(*.pf)")), qPrintable(files.at(3)));
        QVERIFY2(files.at(4).endsWith(QStringLiteral("(*.mc)")), qPrintable(files.at(4)));
        // The tray menu's Quit keeps its accelerator.
        QVERIFY2(languages.getLangStrings("tray", code).at(1).contains(QStringLiteral("&Q")),
                 qPrintable(code));

        const QStringList other = languages.getLangStrings("other", code);
        const QString address = other.at(8);
        QVERIFY2(
            !address.contains(QStringLiteral("://")) && !address.startsWith(QStringLiteral("http"))
                && !address.contains(QLatin1Char(' ')) && address.section('/', 0, 0).contains('.'),
            qPrintable(address));
    }

    // The balloon shown when the mouse switches stage says which stage, in
    // every language: the eight texts it takes from "other" each name theirs.
    void dpiSwitchBalloonNamesTheStage_data() { everyLanguageFitsThePages_data(); }
    void dpiSwitchBalloonNamesTheStage()
    {
        QFETCH(QString, code);
        dpiSwitchTexts() = QStringList(8, QString());
        languages.getLangStrings("other", code);
        const QStringList texts = dpiSwitchTexts();
        for (int stage = 1; stage <= 8; ++stage) {
            const QString text = texts.at(stage - 1);
            QVERIFY2(text.contains(QString::number(stage)), qPrintable(text));
            for (int other = 1; other <= 8; ++other)
                QVERIFY2(other == stage || !text.contains(QString::number(other)),
                         qPrintable(text));
        }
    }

    void englishKeyNamesAreTheProgramsTable()
    {
        QCOMPARE(english["keyCode"], KeyNameTable::defaultKeyCodeStr());
        QCOMPARE(english["keyCode"].size(), KeyNameTable::keyCode().size());
    }
};

QTEST_GUILESS_MAIN(TestSettingsLanguages)
#include "test_settings_languages.moc"
