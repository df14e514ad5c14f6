// The button page's and macro editor's rules without a window: the macro
// block encoder and its length guard, codes, their hex form and texts, the
// built-in matrices and what choosing a function does.
#include "modules/qml/logic/macrologic.h"
#include "operations/keynametable.h"
#include "operations/keyrecords.h"

#include <QtTest>

using M = MacroLogic;

namespace {

QStringList delayed(int actions, int gapMs)
{
    QStringList lines;
    for (int i = 0; i < actions; ++i) {
        if (i > 0)
            lines << M::delayLine(gapMs);
        lines << M::pressLine(0x04 + i % 26, i % 2 == 0);
    }
    return lines;
}

QVariantList bytes(std::initializer_list<int> values)
{
    QVariantList list;
    for (int v : values)
        list << v;
    return list;
}

QVariantList ints(const QVariantList &list)
{
    QVariantList out;
    for (const QVariant &v : list)
        out << v.toInt();
    return out;
}

} // namespace

class TestMacroLogic : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { M::setKeyNames(KeyNameTable::defaultKeyCodeStr()); }

    void linesAndNames()
    {
        QCOMPARE(M::delayLine(50), QStringLiteral("0,50"));
        QCOMPARE(M::pressLine(0x04, true), QStringLiteral("1,A"));
        QCOMPARE(M::pressLine(0x04, false), QStringLiteral("2,A"));
        QCOMPARE(M::pressLine(0xF0, false), QStringLiteral("4,MS-L"));
        QCOMPARE(M::pressLine(0xF2, true), QStringLiteral("3,MS-M"));
        QCOMPARE(M::lineText(QStringLiteral("0,50")), QStringLiteral("50 ms"));
        QCOMPARE(M::lineText(QStringLiteral("1,A")), QStringLiteral("↓ A"));
        QCOMPARE(M::lineText(QStringLiteral("4,MS-L")), QStringLiteral("↑ MS-L"));
        // A comma key keeps its name: only the first comma separates.
        QCOMPARE(M::lineInfo(QStringLiteral("1,,")), QStringLiteral(","));
        QCOMPARE(M::keyCode(QStringLiteral("\\")), 0x31);
        QCOMPARE(M::keyName(0x32), QStringLiteral("\\"));
        QCOMPARE(M::keyCode(QStringLiteral("nothing")), 0);
        QCOMPARE(M::keyName(0x01), QString());

        // A language renames only with a complete list.
        QStringList renamed;
        for (int i = 0; i < 133; ++i)
            renamed << QStringLiteral("k%1").arg(i);
        M::setKeyNames(renamed.mid(1));
        QCOMPARE(M::keyName(0x04), QStringLiteral("A"));
        M::setKeyNames(renamed);
        QCOMPARE(M::keyName(0x04), QStringLiteral("k0"));
        QCOMPARE(M::keyCode(QStringLiteral("k0")), 0x04);
        QCOMPARE(M::encodeMacro({QStringLiteral("1,k0")}, 1), bytes({0, 1, 0x01, 0x04, 0, 0}));
    }

    void encode_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<QVariantList>("expected");
        auto gap = [](int ms, const char *first = "1,A") {
            return QStringList{QString::fromLatin1(first), M::delayLine(ms), QStringLiteral("2,B")};
        };
        QTest::newRow("only delays") << QStringList{"0,50", "0,500"} << 1 << bytes({0, 1});
        QTest::newRow("empty, repeat 300") << QStringList{} << 300 << bytes({1, 44});
        QTest::newRow("press 20 ms release")
            << QStringList{"1,A", "0,20", "2,A"} << 1 << bytes({0, 1, 2, 4, 0x81, 4, 0, 0});
        QTest::newRow("leading and trailing delays dropped, delays summed")
            << QStringList{"0,900", "3,MS-L", "0,30", "0,40", "4,MS-L", "0,5000"} << 65535
            << bytes({0xFF, 0xFF, 7, 0xF0, 0x81, 0xF0, 0, 0});
        QTest::newRow("no delay takes 1, release sets 0x80")
            << QStringList{"2,A", "1,B"} << 1 << bytes({0, 1, 0x81, 4, 1, 5, 0, 0});
        QTest::newRow("126 units plain") << gap(1260) << 1 << bytes({0, 1, 126, 4, 0x81, 5, 0, 0});
        QTest::newRow("1270 ms: 127 units, 20 ms form")
            << gap(1270) << 1 << bytes({0, 1, 0, 4, 0, 1, 0, 63, 0x81, 5, 0, 0});
        QTest::newRow("99999 units, 20 ms form")
            << gap(999990) << 1 << bytes({0, 1, 0, 4, 0, 1, 0xC3, 0x4F, 0x81, 5, 0, 0});
        QTest::newRow("100000 units, 50 ms form")
            << gap(1000000) << 1 << bytes({0, 1, 0, 4, 0, 2, 0x4E, 0x20, 0x81, 5, 0, 0});
        QTest::newRow("299999 units, 50 ms form")
            << gap(2999990) << 1 << bytes({0, 1, 0, 4, 0, 2, 0xEA, 0x5F, 0x81, 5, 0, 0});
        QTest::newRow("300000 units, 100 ms form")
            << gap(3000000) << 1 << bytes({0, 1, 0, 4, 0, 3, 0x75, 0x30, 0x81, 5, 0, 0});
        QTest::newRow("599999 units, 100 ms form")
            << gap(5999990) << 1 << bytes({0, 1, 0, 4, 0, 3, 0xEA, 0x5F, 0x81, 5, 0, 0});
        QTest::newRow("beyond 100 ms form: longest wait, not a wrap")
            << QStringList{"1,A", "0,2000000000", "0,2000000000", "2,B"} << 1
            << bytes({0, 1, 0, 4, 0, 3, 0xFF, 0xFF, 0x81, 5, 0, 0});
        QTest::newRow("release opens a scaled pair")
            << gap(1270, "4,MS-R") << 1 << bytes({0, 1, 0x80, 0xF1, 0, 1, 0, 63, 0x81, 5, 0, 0});
    }
    void encode()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, repeat);
        QFETCH(QVariantList, expected);
        const QVariantList encoded = ints(M::encodeMacro(lines, repeat));
        QCOMPARE(encoded, expected);
        // The guard measures two spare bytes beyond the block once there is
        // an action (four without one, where nothing closes the block).
        QCOMPARE(M::encodedLength(lines), int(encoded.size()) + (encoded.size() > 2 ? 2 : 4));
    }

    // The editor stops a list at 126: one passing the guard can still take
    // an action with a scaled delay and keep its terminator in 128 bytes.
    void lengthGuard()
    {
        const QStringList at124 = delayed(59, 20);
        QCOMPARE(M::encodedLength(at124), 124);
        QVERIFY(M::canAddAction(at124));
        const QStringList grown =
            at124 + QStringList{M::delayLine(99999990), M::pressLine(0x05, true)};
        QCOMPARE(M::encodeMacro(grown, 1).size(), 128);
        QCOMPARE(M::encodedLength(grown), 130);
        QVERIFY(!M::canAddAction(grown));

        const QStringList at126 = delayed(60, 20);
        QCOMPARE(M::encodedLength(at126), 126);
        QVERIFY(!M::canAddAction(at126));
        // A scaled delay costs four bytes more.
        QCOMPARE(M::encodedLength(delayed(58, 1270)), 2 + 58 * 2 + 57 * 4 + 4);
    }

    void codes()
    {
        QCOMPARE(ints(M::hexToCode(QStringLiteral("0000F000"))), bytes({0, 0, 0xF0, 0}));
        QCOMPARE(ints(M::hexToCode(QStringLiteral("0300b500"))), bytes({3, 0, 0xB5, 0}));
        QCOMPARE(M::hexToCode(QStringLiteral("0x00F000")), QVariantList{});
        QCOMPARE(M::hexToCode(QStringLiteral("0000F00")), QVariantList{});
        QCOMPARE(M::codeToHex(bytes({0, 0xF0, 0x1E, 2})), QStringLiteral("00f01e02"));

        const QVariantList fixed = M::fixedFunctions();
        QCOMPARE(fixed.size(), 38);
        QSet<QString> seen;
        for (int i = 0; i < fixed.size(); ++i) {
            const QVariantMap f = fixed.at(i).toMap();
            const QVariantList code = M::hexToCode(f.value("hex").toString());
            QVERIFY2(code.size() == 4, qPrintable(f.value("label").toString()));
            QCOMPARE(M::codeToHex(code), f.value("hex").toString());
            QCOMPARE(f.value("type").toInt(), code.at(0).toInt());
            QCOMPARE(f.value("textIndex").toInt(), 12 + i);
            QVERIFY(!seen.contains(f.value("hex").toString()));
            seen << f.value("hex").toString();
            // Every fixed function reads back as its own label.
            QCOMPARE(M::codeText(code, {}, {}), f.value("label").toString());
        }
        const QVariantMap doubleFire = fixed.at(5).toMap();
        QCOMPARE(doubleFire.value("label").toString(), QStringLiteral("Double Fire"));
        QCOMPARE(doubleFire.value("type").toInt(), 0);
        QCOMPARE(doubleFire.value("menu").toInt(), 1);
        QCOMPARE(fixed.at(37).toMap().value("menu").toInt(), 8);
    }

    void groupCode_data()
    {
        QTest::addColumn<QVariantList>("usages");
        QTest::addColumn<QVariantList>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("one key") << bytes({0x04}) << bytes({2, 0, 4, 0}) << "A";
        for (int bit = 0; bit < 8; ++bit) {
            const QString name = M::keyName(0xE0 + bit);
            QTest::addRow("modifier %s", qPrintable(name))
                << bytes({0xE0 + bit}) << bytes({2, 1 << bit, 0, 0}) << name;
        }
        QTest::newRow("modifiers first, third key and repeats ignored")
            << bytes({0x06, 0xE6, 0x06, 0xE0, 0x1D, 0x04}) << bytes({2, 0x41, 6, 0x1D})
            << "LCtrl + RAlt + C + Z";
    }
    void groupCode()
    {
        QFETCH(QVariantList, usages);
        QFETCH(QVariantList, code);
        QFETCH(QString, text);
        QCOMPARE(ints(M::groupCode(usages)), code);
        QCOMPARE(M::groupText(code), text);
        QCOMPARE(M::codeText(code, {}, {}), QString(text).remove(QStringLiteral(" ")));
    }

    void codeText()
    {
        QStringList labels(50);
        labels[13] = QStringLiteral("Rechte Taste");
        QCOMPARE(M::codeText(bytes({0, 0, 0xF1, 0}), labels, {}), QStringLiteral("Rechte Taste"));
        QCOMPARE(M::codeText(bytes({0, 0, 0xF2, 0}), labels, {}), QStringLiteral("Middle Key"));
        QCOMPARE(M::codeText(M::fireCode(0x1D, 10, 0), labels, {}), QStringLiteral("Z"));
        QCOMPARE(M::codeText(M::macroCode(2, 7), labels, QStringLiteral("combo")),
                 QStringLiteral("combo"));
        QCOMPARE(M::codeText(bytes({3, 0, 0x99, 0}), labels, {}), QString());
        QCOMPARE(M::codeText(bytes({0, 0, 0, 0}), labels, {}), QStringLiteral("Disabled"));
        QStringList german = labels;
        while (german.size() < 64)
            german << QString();
        german[63] = QStringLiteral("Deaktiviert");
        QCOMPARE(M::codeText(bytes({0, 0, 0, 0}), german, {}), QStringLiteral("Deaktiviert"));
        QCOMPARE(M::codeText(bytes({0xFF, 0, 1, 0}), labels, {}), QString());
    }

    void matrices()
    {
        const QStringList office{"0000f000", "0000f100", "0000f200", "0000f400",
                                 "0000f300", "05000100", "05000200", "00f01e02",
                                 "00000000", "00000000", "00000000", "00000000",
                                 "00000000", "00000000", "ff000100", "ff000200"};
        for (int mode = 0; mode < 2; ++mode) {
            for (int b = 0; b < 16; ++b) {
                QString built = office.at(b);
                if (mode == 1 && (b == 5 || b == 6))
                    built = b == 5 ? "08000100" : "08000200";
                QCOMPARE(M::codeToHex(M::builtInCode(mode, b)), built);
            }
            QCOMPARE(M::codeToHex(M::builtInCode(mode, 16)), QStringLiteral("00000000"));
        }
    }

    // The page offers a button exactly when what it chooses reaches the mouse.
    void fixedButtonsAreTheOnesTheMatrixOverwrites()
    {
        const KeyMatrix untouched = KeyRecords::firmwareMatrix(QVariantList(64, 0), Family::First);
        for (int b = 0; b < 16; ++b) {
            QVariantList values(64, 0);
            values[4 * b] = 2;
            values[4 * b + 2] = 0x1D;
            const KeyMatrix sent = KeyRecords::firmwareMatrix(values, Family::First);
            const int at = b == 3 ? 4 : b == 4 ? 3 : b;
            const bool reachesMouse = !std::equal(sent.begin() + 4 * at, sent.begin() + 4 * at + 4,
                                                  untouched.begin() + 4 * at);
            QCOMPARE(M::isFixedButton(b), !reachesMouse);
        }
    }

    void chooseOutcome_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QVariantList>("current");
        QTest::addColumn<QVariantList>("chosen");
        QTest::addColumn<QString>("outcome");
        const QVariantList left = bytes({0, 0, 0xF0, 0});
        const QVariantList right = bytes({0, 0, 0xF1, 0});
        const QVariantList dpi = bytes({5, 0, 1, 0});
        QTest::newRow("same simple function") << 3 << dpi << dpi << "same";
        QTest::newRow("same left on left") << 0 << left << left << "same";
        QTest::newRow("macro twice") << 3 << M::macroCode(0, 3) << M::macroCode(0, 3) << "apply";
        QTest::newRow("other function") << 3 << dpi << right << "apply";
        QTest::newRow("right on button 0") << 0 << left << right << "warn";
        QTest::newRow("back on button 0") << 0 << left << bytes({0, 0, 0xF3, 0}) << "warn";
        for (int type = 3; type <= 8; ++type)
            QTest::addRow("type %d on button 0", type)
                << 0 << left << bytes({type, 0, 1, 0}) << "warn";
        QTest::newRow("fire on button 0") << 0 << left << M::fireCode(4, 10, 0) << "apply";
        QTest::newRow("group on button 0") << 0 << left << bytes({2, 1, 6, 0}) << "apply";
        QTest::newRow("double fire on button 0")
            << 0 << left << bytes({0, 0xF0, 0x1E, 2}) << "apply";
        QTest::newRow("right on button 1") << 1 << left << right << "apply";
    }
    void chooseOutcome()
    {
        QFETCH(int, button);
        QFETCH(QVariantList, current);
        QFETCH(QVariantList, chosen);
        QFETCH(QString, outcome);
        QCOMPARE(M::chooseOutcome(button, current, chosen), outcome);
    }
};

QTEST_GUILESS_MAIN(TestMacroLogic)
#include "test_macro_logic.moc"
