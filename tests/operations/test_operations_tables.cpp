// Table tests of the device model's plain encoders: what each function makes
// of the values the scene hands in.
#include "operations/buttonfunctions.h"
#include "operations/deviceprofileimages.h"
#include "operations/dpiencoding.h"
#include "operations/keynametable.h"
#include "operations/keyrecords.h"
#include "operations/lighting.h"
#include "operations/macrotransfer.h"
#include "operations/pointerarguments.h"
#include "tests/operations/payloadbytes.h"

#include <QSet>
#include <QtTest>

#include <array>

Q_DECLARE_METATYPE(Family)

namespace {

using testing::bytes;
using testing::values;

QByteArray record(const KeyMatrix &m, int button)
{
    return bytes(m.data() + 4 * button, 4);
}

QByteArray rec(int b0, int b1, int b2, int b3)
{
    QByteArray r;
    r.append(char(b0)).append(char(b1)).append(char(b2)).append(char(b3));
    return r;
}

// 64 values with `r` at button 0 and plain left clicks elsewhere.
QVariantList withButton0(const QByteArray &r)
{
    QVariantList list;
    for (int i = 0; i < 64; ++i)
        list << (i < 4 ? int(uchar(r[i])) : (i % 4 == 2 ? 0xF0 : 0));
    return list;
}

} // namespace

class TestOperationsTables : public QObject
{
    Q_OBJECT

private slots:
    void keyTableHasEveryCodeOnce();
    void keyNames_data();
    void keyNames();
    void keyLookupsMissAndBackslash();
    void keyNamesReplacedByLanguage();
    void buttonFunctionsAndBuiltInMatrices();

    void conversion_data();
    void conversion();
    void swapAndFixedRecords();
    void shortAndLongListsAndTexts();
    void gunMatricesFirstFamily_data();
    void gunMatricesFirstFamily();
    void gunMatricesSecondFamily_data();
    void gunMatricesSecondFamily();
    void gunMatricesUnknownCountAndPeriods();

    void dpiCodes_data();
    void dpiCodes();
    void dpiStagesMaskAndEnables();

    void attributeBlock();
    void effects_data();
    void effects();
    void stageColoursAndNibbles();

    void macroSlotsAndBlock();
    void profileImageByteMap();
    void pointerArguments();
};

void TestOperationsTables::keyTableHasEveryCodeOnce()
{
    const QList<int> &codes = KeyNameTable::keyCode();
    QCOMPARE(codes.size(), 133);
    QCOMPARE(KeyNameTable::defaultKeyCodeStr().size(), 133);
    QCOMPARE(QSet<int>(codes.begin(), codes.end()).size(), 133);
    QVERIFY(!codes.contains(0x74));
    QVERIFY(!codes.contains(0x86));
    QVERIFY(!codes.contains(0x03));
}

void TestOperationsTables::keyNames_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    const QList<QPair<int, QString>> rows = {
        {0x04, "A"},
        {0x1D, "Z"},
        {0x1E, "1"},
        {0x26, "9"},
        {0x27, "0"},
        {0x28, "Enter"},
        {0x29, "Esc"},
        {0x2A, "Back"},
        {0x2B, "Tab"},
        {0x2C, "Space"},
        {0x2D, "-"},
        {0x2E, "="},
        {0x2F, "["},
        {0x30, "]"},
        {0x31, "\\"},
        {0x32, "\\"},
        {0x33, ";"},
        {0x34, "'"},
        {0x35, "`"},
        {0x36, ","},
        {0x37, "."},
        {0x38, "/"},
        {0x39, "Caps"},
        {0x3A, "F1"},
        {0x45, "F12"},
        {0x46, "Prt"},
        {0x47, "Scr"},
        {0x48, "Pau"},
        {0x49, "Ins"},
        {0x4A, "Hom"},
        {0x4B, "Pgu"},
        {0x4C, "Del"},
        {0x4D, "End"},
        {0x4E, "PgD"},
        {0x4F, QString(QChar(0x25BA))},
        {0x50, QString(QChar(0x25C4))},
        {0x51, QString(QChar(0x25BC))},
        {0x52, QString(QChar(0x25B2))},
        {0x53, "Num"},
        {0x54, "KP/"},
        {0x55, "KP*"},
        {0x56, "KP-"},
        {0x57, "KP+"},
        {0x58, "KPEnter"},
        {0x59, "KP1"},
        {0x61, "KP9"},
        {0x62, "KP0"},
        {0x63, "KP."},
        {0x64, "Eur2"},
        {0x65, "App"},
        {0x66, "Power"},
        {0x67, "KP="},
        {0x68, "F13"},
        {0x73, "F24"},
        {0x85, "Keypad"},
        {0x87, "Intl1"},
        {0x8B, "Intl5"},
        {0x90, "Lang1"},
        {0x91, "Lang2"},
        {0xE0, "LCtrl"},
        {0xE1, "LShift"},
        {0xE2, "LAlt"},
        {0xE3, "LWin"},
        {0xE4, "RCtrl"},
        {0xE5, "RShift"},
        {0xE6, "RAlt"},
        {0xE7, "RWin"},
        {0xF0, "MS-L"},
        {0xF1, "MS-R"},
        {0xF2, "MS-M"},
        {0xF3, "MS-B4"},
        {0xF4, "MS-B5"},
    };
    for (const auto &row : rows)
        QTest::addRow("0x%02X", row.first) << row.first << row.second;
}

void TestOperationsTables::keyNames()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    const QStringList &names = KeyNameTable::defaultKeyCodeStr();
    QCOMPARE(KeyNameTable::nameOfCode(names, code), name);
    if (code != 0x32)
        QCOMPARE(KeyNameTable::codeOfName(names, name), code);
}

void TestOperationsTables::keyLookupsMissAndBackslash()
{
    const QStringList &names = KeyNameTable::defaultKeyCodeStr();
    QCOMPARE(KeyNameTable::codeOfName(names, "NoSuchKey"), 0);
    QCOMPARE(KeyNameTable::codeOfName(names, ""), 0);
    QCOMPARE(KeyNameTable::codeOfName(names, "a"), 0);
    QCOMPARE(KeyNameTable::nameOfCode(names, 0x86), QString());
    QCOMPARE(KeyNameTable::nameOfCode(names, 0), QString());
    QCOMPARE(KeyNameTable::nameOfCode(names, 0x32), QString("\\"));
    QCOMPARE(KeyNameTable::codeOfName(names, "\\"), 0x31);
}

void TestOperationsTables::keyNamesReplacedByLanguage()
{
    QStringList german = KeyNameTable::defaultKeyCodeStr();
    german[KeyNameTable::keyCode().indexOf(0x2C)] = "Leertaste";
    QCOMPARE(KeyNameTable::nameOfCode(german, 0x2C), QString("Leertaste"));
    QCOMPARE(KeyNameTable::codeOfName(german, "Leertaste"), 0x2C);
    QCOMPARE(KeyNameTable::codeOfName(german, "Space"), 0);

    // A short list names only the codes it reaches.
    const QStringList shortList{"Eins", "Zwei"};
    QCOMPARE(KeyNameTable::nameOfCode(shortList, 0x05), QString("Zwei"));
    QCOMPARE(KeyNameTable::nameOfCode(shortList, 0x06), QString());
    QCOMPARE(KeyNameTable::codeOfName(shortList, "C"), 0);
}

// Every fixed function is found by its own code and no other shares it; a
// button nobody assigned holds the built-in record of its mode, and game mode
// differs only where its gun keys sit.
void TestOperationsTables::buttonFunctionsAndBuiltInMatrices()
{
    using namespace ButtonFunctions;
    QSet<QString> labels;
    for (const Fixed &f : fixedTable()) {
        QCOMPARE(fixedOf(f.code), &f);
        labels.insert(QString::fromLatin1(f.label));
    }
    QCOMPARE(labels.size(), int(fixedTable().size()));
    QCOMPARE(fixedOf(none), nullptr);
    QCOMPARE(fixedOf({0x05, 0x00, 0x09, 0x00}), nullptr);

    QCOMPARE(builtIn(0, 0), (Code{0x00, 0x00, 0xF0, 0x00}));
    QCOMPARE(builtIn(0, 7), (Code{0x00, 0xF0, 0x1E, 0x02}));
    QCOMPARE(builtIn(0, 14), (Code{0xFF, 0x00, 0x01, 0x00}));
    QCOMPARE(builtIn(1, 5), (Code{0x08, 0x00, 0x01, 0x00}));
    QCOMPARE(builtIn(1, 6), (Code{0x08, 0x00, 0x02, 0x00}));
    for (int button = 0; button < 16; ++button) {
        if (button != 5 && button != 6)
            QCOMPARE(builtIn(1, button), builtIn(0, button));
    }
    QCOMPARE(builtIn(0, -1), none);
    QCOMPARE(builtIn(1, 16), none);
}

void TestOperationsTables::conversion_data()
{
    QTest::addColumn<Family>("family");
    QTest::addColumn<QByteArray>("assignment");
    QTest::addColumn<QByteArray>("firmware");
    for (Family f : {Family::First, Family::Second}) {
        const char *tag = f == Family::First ? "553" : "560";
        auto row = [&](const char *name, QByteArray in, QByteArray out) {
            QTest::addRow("%s %s", tag, name) << f << in << out;
        };
        row("mouse button", rec(0x00, 0x00, 0xF2, 0x00), rec(0x01, 0x00, 0xF2, 0x00));
        row("double fire", rec(0x00, 0xF0, 0x1E, 0x02), rec(0x0A, 0xF0, 0x1E, 0x02));
        row("1E without 2 is a button", rec(0x00, 0x00, 0x1E, 0x01), rec(0x01, 0x00, 0x1E, 0x01));
        row("fire", rec(0x01, 0x1D, 0x0A, 0x00), rec(0x0A, 0x1D, 0x0A, 0x00));
        row("key group", rec(0x02, 0x01, 0x1D, 0x00), rec(0x00, 0x01, 0x1D, 0x00));
        row("media", rec(0x03, 0x00, 0x83, 0x01), rec(0x03, 0x00, 0x83, 0x01));
        row("macro 0", rec(0x04, 0x02, 0x00, 0x00), rec(0x09, 0x02, 0x01, 0x00));
        row("macro 11", rec(0x04, 0x00, 0x0B, 0x00), rec(0x09, 0x00, 0x0C, 0x00));
        row("dpi+", rec(0x05, 0x00, 0x01, 0x00), rec(0x07, 0x00, 0x01, 0x00));
        row("dpi loop", rec(0x05, 0x00, 0x03, 0x00), rec(0x07, 0x00, 0x03, 0x00));
        row("my pc", rec(0x06, 0x00, 0x94, 0x01), rec(0x03, 0x00, 0x94, 0x01));
        row("index", rec(0x06, 0x00, 0x23, 0x02), rec(0x03, 0x00, 0x23, 0x02));
        row("search", rec(0x06, 0x00, 0x21, 0x02), rec(0x03, 0x00, 0x21, 0x02));
        row("max", rec(0x06, 0x04, 0x2C, 0x1B), rec(0x00, 0x04, 0x2C, 0x1B));
        row("desktop", rec(0x06, 0x00, 0xE3, 0x07), rec(0x00, 0x00, 0xE3, 0x07));
        row("94 02 is keys", rec(0x06, 0x00, 0x94, 0x02), rec(0x00, 0x00, 0x94, 0x02));
        row("shortcut", rec(0x07, 0x00, 0xE0, 0x16), rec(0x00, 0x00, 0xE0, 0x16));
        row("gun switch", rec(0x08, 0x00, 0x02, 0x00), rec(0x08, 0x00, 0x02, 0x00));
        row("fixed entry", rec(0xFF, 0x00, 0x02, 0x00), rec(0x04, 0x00, 0x02, 0x00));
        row("unknown type", rec(0x42, 0x01, 0x02, 0x03), rec(0x42, 0x01, 0x02, 0x03));
    }
    QTest::addRow("553 sniper") << Family::First << rec(0x05, 0x00, 0x04, 0x00)
                                << rec(0x07, 0x00, 0x04, 0x01);
    QTest::addRow("560 sniper") << Family::Second << rec(0x05, 0x00, 0x04, 0x00)
                                << rec(0x0B, 0x00, 0x01, 0x01);
}

void TestOperationsTables::conversion()
{
    QFETCH(Family, family);
    QFETCH(QByteArray, assignment);
    QFETCH(QByteArray, firmware);
    const KeyMatrix m = KeyRecords::firmwareMatrix(withButton0(assignment), family);
    QCOMPARE(record(m, 0), firmware);
}

void TestOperationsTables::swapAndFixedRecords()
{
    QVariantList list;
    for (int button = 0; button < 16; ++button)
        list << 0x02 << 0 << (0x04 + button) << 0; // key group, one key each
    const KeyMatrix m = KeyRecords::firmwareMatrix(list, Family::First);
    QCOMPARE(record(m, 3), rec(0x00, 0, 0x04 + 4, 0));
    QCOMPARE(record(m, 4), rec(0x00, 0, 0x04 + 3, 0));
    QCOMPARE(record(m, 6), rec(0x0B, 0x07, 0x00, 0x00));
    QCOMPARE(record(m, 7), rec(0x05, 0x00, 0x01, 0x00));
    QCOMPARE(record(m, 5), rec(0x00, 0, 0x04 + 5, 0));
    QCOMPARE(record(m, 15), rec(0x00, 0, 0x04 + 15, 0));
    QVERIFY(!KeyRecords::hasGunSwitch(m));

    // A gun-switch key at position 6 is overwritten and so is no gun key.
    QVariantList gunAt6 = list;
    gunAt6[24] = 0x08;
    QVERIFY(!KeyRecords::hasGunSwitch(KeyRecords::firmwareMatrix(gunAt6, Family::First)));
    gunAt6[20] = 0x08;
    QVERIFY(KeyRecords::hasGunSwitch(KeyRecords::firmwareMatrix(gunAt6, Family::First)));
}

void TestOperationsTables::shortAndLongListsAndTexts()
{
    QVariantList list = {QString("4"), QString("1"), QString("2"), "x"};
    KeyMatrix m = KeyRecords::matrixFromValues(list);
    QCOMPARE(record(m, 0), rec(4, 1, 2, 0));
    QCOMPARE(record(m, 1), rec(0, 0, 0, 0));
    QCOMPARE(record(m, 15), rec(0, 0, 0, 0));

    QVariantList longList;
    for (int i = 0; i < 70; ++i)
        longList << (i == 64 ? 0x99 : 0x100 + i); // cut to 8 bits
    m = KeyRecords::matrixFromValues(longList);
    QCOMPARE(int(m[0]), 0x00);
    QCOMPARE(int(m[63]), 63);

    QList<QVariantList> records = {values({1, 2, 3, 4}), values({5, 6})};
    m = KeyRecords::matrixFromRecords(records);
    QCOMPARE(record(m, 0), rec(1, 2, 3, 4));
    QCOMPARE(record(m, 1), rec(5, 6, 0, 0));
    QCOMPARE(record(m, 2), rec(0, 0, 0, 0));
}

namespace {

KeyMatrix defaultMatrix()
{
    KeyMatrix m{};
    for (int button = 0; button < 16; ++button) {
        m[4 * button] = 0x01;
        m[4 * button + 1] = 0x11;
        m[4 * button + 2] = 0xF0 + (button % 5);
        m[4 * button + 3] = 0x22;
    }
    return m;
}

KeyMatrix matrixWithGunKey(int button, int n, Family family)
{
    QVariantList list = withButton0(rec(0x00, 0x00, 0xF0, 0x00));
    list[4 * button] = 0x08;
    list[4 * button + 1] = 0x00;
    list[4 * button + 2] = n;
    list[4 * button + 3] = 0x00;
    return KeyRecords::firmwareMatrix(list, family);
}

} // namespace

void TestOperationsTables::gunMatricesFirstFamily_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QByteArray>("byte3"); // byte 3 in M1..M4
    QTest::newRow("one gun") << 1 << QByteArray("\x01\x00\x00\x00", 4);
    QTest::newRow("two guns") << 2 << QByteArray("\x01\x02\x00\x00", 4);
    QTest::newRow("three guns") << 3 << QByteArray("\x01\x02\x03\x00", 4);
}

void TestOperationsTables::gunMatricesFirstFamily()
{
    QFETCH(int, n);
    QFETCH(QByteArray, byte3);
    const int button = 5;
    const KeyMatrix m1 = matrixWithGunKey(button, n, Family::First);
    const auto guns =
        KeyRecords::buildGunMatrices(m1, defaultMatrix(), values({30, 40, 50}), Family::First);
    const KeyMatrix *all[] = {&guns.m1, &guns.m2, &guns.m3, &guns.m4};
    for (int m = 0; m < 4; ++m)
        QCOMPARE(record(*all[m], button), rec(0x08, 0x00, 0x01, uchar(byte3[m])));
    QVERIFY(!guns.switchMask.has_value());
    // Matrix 1 keeps the user's other keys; the gun matrices the defaults.
    QCOMPARE(record(guns.m1, 0), rec(0x01, 0x00, 0xF0, 0x00));
    QCOMPARE(record(guns.m2, 1), record(defaultMatrix(), 1));
    QCOMPARE(record(guns.m4, 15), record(defaultMatrix(), 15));
    QCOMPARE(record(guns.m2, 0), rec(0x0B, 0x00, 30, 0x00));
    QCOMPARE(record(guns.m3, 0), rec(0x0B, 0x01, 40, 0x00));
    QCOMPARE(record(guns.m4, 0), rec(0x0B, 0x02, 50, 0x00));
}

void TestOperationsTables::gunMatricesSecondFamily_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QByteArray>("byte2"); // byte 2 in M1..M4
    QTest::addColumn<int>("mask");
    QTest::newRow("one gun") << 1 << QByteArray("\x01\x00\x00\x00", 4) << 0x07;
    QTest::newRow("two guns") << 2 << QByteArray("\x01\x03\x00\x00", 4) << 0x0F;
    QTest::newRow("three guns") << 3 << QByteArray("\x01\x03\x03\x00", 4) << 0x1F;
}

void TestOperationsTables::gunMatricesSecondFamily()
{
    QFETCH(int, n);
    QFETCH(QByteArray, byte2);
    QFETCH(int, mask);
    const int button = 9;
    const KeyMatrix m1 = matrixWithGunKey(button, n, Family::Second);
    const auto guns =
        KeyRecords::buildGunMatrices(m1, defaultMatrix(), values({30, 40, 50}), Family::Second);
    QCOMPARE(record(guns.m1, button), rec(0x08, 0x00, uchar(byte2[0]), 0x00));
    // Bytes 1 and 3 of the gun matrices stay those of the default matrix.
    QCOMPARE(record(guns.m2, button), rec(0x08, 0x11, uchar(byte2[1]), 0x22));
    QCOMPARE(record(guns.m3, button), rec(0x08, 0x11, uchar(byte2[2]), 0x22));
    QCOMPARE(record(guns.m4, button), rec(0x08, 0x11, uchar(byte2[3]), 0x22));
    QCOMPARE(guns.switchMask.value_or(0), uchar(mask));
    QCOMPARE(record(guns.m3, 0), rec(0x0B, 0x01, 40, 0x00));
}

void TestOperationsTables::gunMatricesUnknownCountAndPeriods()
{
    const int button = 8;
    // Second family, n = 5: only the type bytes of the gun matrices change.
    auto guns = KeyRecords::buildGunMatrices(matrixWithGunKey(button, 5, Family::Second),
                                             defaultMatrix(), values({1, 2, 3}), Family::Second);
    QCOMPARE(record(guns.m1, button), rec(0x08, 0x00, 0x05, 0x00));
    QCOMPARE(record(guns.m2, button), rec(0x08, 0x11, 0xF3, 0x22));
    QVERIFY(!guns.switchMask.has_value());

    // First family, n = 0: byte 3 stays, bytes 1 and 2 are still set.
    guns = KeyRecords::buildGunMatrices(matrixWithGunKey(button, 0, Family::First), defaultMatrix(),
                                        values({1, 2, 3}), Family::First);
    QCOMPARE(record(guns.m1, button), rec(0x08, 0x00, 0x01, 0x00));
    QCOMPARE(record(guns.m3, button), rec(0x08, 0x00, 0x01, 0x22));

    // Periods: short lists give 0, texts are read as numbers, cut to 8 bits.
    guns = KeyRecords::buildGunMatrices(matrixWithGunKey(button, 1, Family::First), defaultMatrix(),
                                        {QString("300")}, Family::First);
    QCOMPARE(record(guns.m2, 0), rec(0x0B, 0x00, 300 & 0xFF, 0x00));
    QCOMPARE(record(guns.m3, 0), rec(0x0B, 0x01, 0x00, 0x00));
    QCOMPARE(record(guns.m4, 0), rec(0x0B, 0x02, 0x00, 0x00));
}

void TestOperationsTables::dpiCodes_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("highBit");
    auto row = [](const char *sensor, int dpi, int code, bool high = false) {
        QTest::addRow("%s %d", sensor, dpi) << QString(sensor) << dpi << code << high;
    };
    row("4090", 400, 3);
    row("4090", 5000, 49);
    row("4090", 5001, 0x59);
    row("4090", 12000, 0x7C);
    row("9999", 400, 3);
    row("", 5001, 0x59);
    row("3360", 100, 0);
    row("3360", 16000, 159);
    row("3050", 250, 1);
    row("3050", 251, 2);
    row("3050", 2000, 8);
    row("3050", 2001, 0);
    row("3389", 12750, 255, false);
    row("3389", 12799, 255, false);
    row("3389", 12800, 0, true);
    row("3389", 16000, 0x40, true);
    row("3320", 500, 0x21);
    row("3320", 501, 0x22);
    row("3320", 7000, 0x2E);
    row("3320", 7001, 0);
    row("3305", 400, 1);
    row("3305", 3200, 8);
    row("3305", 3201, 0);
    row("5050", 100, 1);
    row("5050", 1375, 11);
    row("5050", 1376, 0);
}

void TestOperationsTables::dpiCodes()
{
    QFETCH(QString, sensor);
    QFETCH(int, dpi);
    QFETCH(int, code);
    QFETCH(bool, highBit);
    bool needsHighBit = !highBit;
    QCOMPARE(int(DpiEncoding::encode(sensor, dpi, &needsHighBit)), code);
    QCOMPARE(needsHighBit, highBit);
}

void TestOperationsTables::dpiStagesMaskAndEnables()
{
    auto stages = DpiEncoding::encodeStages(
        "3389", values({400, 12800, 800, 16000, 1600, 3200, 6400, 12750, 99999}));
    QCOMPARE(int(stages.codes[0]), 8);
    QCOMPARE(int(stages.codes[7]), 255);
    QCOMPARE(int(stages.highBitMask), 0x0A);

    stages = DpiEncoding::encodeStages("3360", values({400, 800}));
    QCOMPARE(int(stages.codes[1]), 7);
    QCOMPARE(int(stages.codes[2]), 0);
    QCOMPARE(int(stages.highBitMask), 0);

    QCOMPARE(int(DpiEncoding::stageEnableMask(4)), 0x0F);
    QCOMPARE(int(DpiEncoding::stageEnableMask(1)), 0x01);
    QCOMPARE(int(DpiEncoding::stageEnableMask(8)), 0xFF);
    QCOMPARE(int(DpiEncoding::stageEnableMask(12)), 0xFF);
    QCOMPARE(int(DpiEncoding::stageEnableMask(0)), 0x00);

    stages = DpiEncoding::encodeStages("3360", values({400, 800, 1600, 3200, 6400}));
    DpiEncoding::applyStageEnables(stages, 5, values({1, 1, 1, 0}));
    QCOMPARE(int(stages.codes[2]), 15);
    QCOMPARE(int(stages.codes[3]), 0x80);
    QCOMPARE(int(stages.codes[4]), 0x80); // no enable value: off
    QCOMPARE(int(stages.codes[5]), 0);    // no DPI value: untouched
}

void TestOperationsTables::attributeBlock()
{
    QVariantList rgb;
    for (int i = 0; i < 50; ++i)
        rgb << 100 + i;
    auto block = Lighting::attributeBlock(6, 25, 3, 1, rgb);
    QCOMPARE(int(block[0]), 0x32);
    QCOMPARE(int(block[1]), 0);
    QCOMPARE(int(block[2]), 25);
    QCOMPARE(int(block[3]), 3);
    QCOMPARE(int(block[4]), 1);
    QCOMPARE(bytes(block.data() + 5, 59), QByteArray(59, '\0'));

    block = Lighting::attributeBlock(3, 50, 4, 0, rgb);
    QCOMPARE(int(block[1]), 3);
    QCOMPARE(int(block[5]), 100);
    QCOMPARE(int(block[49]), 144);
    QCOMPARE(bytes(block.data() + 50, 14), QByteArray(14, '\0'));

    block = Lighting::attributeBlock(0, 0, 0, 0, values({1, 2}));
    QCOMPARE(int(block[6]), 2);
    QCOMPARE(int(block[7]), 0);
}

// The colourful mouse's effects and the plain one's: the third value is the
// colourful effect's operand 2, the plain effect's kind of lighting.
void TestOperationsTables::effects_data()
{
    QTest::addColumn<bool>("colourful");
    QTest::addColumn<int>("effect");
    QTest::addColumn<int>("option1");
    QTest::addColumn<int>("option2");
    QTest::addColumn<QByteArray>("expected"); // code, operand 1, third value
    auto row = [](bool colourful, int e, int o1, int o2, int c, int a, int b) {
        QTest::addRow("%s %d %d %d", colourful ? "colourful" : "plain", e, o1, o2)
            << colourful << e << o1 << o2 << rec(c, a, b, 0).left(3);
    };
    for (const auto &[e, o1, o2, c, a, b] :
         std::initializer_list<std::array<int, 6>>{{0, 0, 1, 1, 0x40, 0},
                                                   {0, 0, 0, 1, 0, 0},
                                                   {1, 0, 4, 3, 0, 10},
                                                   {1, 4, 4, 3, 0, 1},
                                                   {2, 2, 1, 4, 0, 5},
                                                   {3, 2, 3, 0, 0, 0},
                                                   {4, 0, 2, 2, 0x80, 0},
                                                   {5, 3, 4, 5, 0xFF, 3},
                                                   {5, 7, 0, 5, 0, 0},
                                                   {6, 2, 2, 6, 0, 0},
                                                   {7, 1, 5, 7, 0, 0},
                                                   {8, 2, 3, 8, 0xC0, 15},
                                                   {9, 0, 1, 9, 0x40, 15},
                                                   {9, 4, 1, 9, 0x40, 5},
                                                   {10, 3, 2, 10, 0x80, 22},
                                                   {11, 1, 1, 0, 0, 0}})
        row(true, e, o1, o2, c, a, b);
    for (const auto &[e, o1, o2, c, a, b] :
         std::initializer_list<std::array<int, 6>>{{0, 0, 4, 1, 10, 1},
                                                   {0, 3, 0, 1, 1, 1},
                                                   {0, 0, 5, 1, 0, 1},
                                                   {1, 2, 0, 2, 3, 1},
                                                   {2, 0, 0, 3, 30, 1},
                                                   {2, 4, 0, 3, 6, 1},
                                                   {2, 5, 0, 3, 0, 1},
                                                   {4, 2, 0, 2, 3, 3},
                                                   {3, 1, 1, 0, 0, 0},
                                                   {5, 1, 1, 0, 0, 0}})
        row(false, e, o1, o2, c, a, b);
}

void TestOperationsTables::effects()
{
    QFETCH(bool, colourful);
    QFETCH(int, effect);
    QFETCH(int, option1);
    QFETCH(int, option2);
    QFETCH(QByteArray, expected);
    const auto e = colourful ? Lighting::colourfulEffect(effect, option1, option2)
                             : Lighting::plainEffect(effect, option1, option2);
    QCOMPARE(rec(e.code, e.operand1, e.operand2, 0).left(3), expected);
}

void TestOperationsTables::stageColoursAndNibbles()
{
    auto colours = Lighting::stageColours(values({1, 2, 3, 4, 5, 6, 7, 8}));
    QCOMPARE(int(colours[7]), 8);
    QCOMPARE(int(colours[8]), 0);
    QVERIFY(!Lighting::hasLastStageColour(colours));
    Lighting::packNibbles(colours);
    QCOMPARE(bytes(colours.data(), 8), QByteArray("\x21\x43\x65\x87\x05\x06\x07\x08", 8));

    QVariantList many;
    for (int i = 0; i < 30; ++i)
        many << 0x1F0 + i;
    colours = Lighting::stageColours(many);
    QCOMPARE(int(colours[0]), 0xF0);
    QCOMPARE(int(colours[23]), (0x1F0 + 23) & 0xFF);
    QVERIFY(Lighting::hasLastStageColour(colours));
    Lighting::packNibbles(colours);
    QCOMPARE(int(colours[0]), 0x10); // (0xF0 & 0x0F) | (0xF1 << 4)
    QCOMPARE(int(colours[3]), 0x76);

    QVariantList onlyBlue(24, 0);
    onlyBlue[23] = 1;
    QVERIFY(Lighting::hasLastStageColour(Lighting::stageColours(onlyBlue)));
}

void TestOperationsTables::macroSlotsAndBlock()
{
    QCOMPARE(MacroTransfer::macroIdForIndex(0).value_or(0), uchar(1));
    QCOMPARE(MacroTransfer::macroIdForIndex(11).value_or(0), uchar(12));
    QCOMPARE(MacroTransfer::macroIdForIndex(QString("10")).value_or(0), uchar(11));
    QVERIFY(!MacroTransfer::macroIdForIndex(12).has_value());
    QVERIFY(!MacroTransfer::macroIdForIndex(255).has_value());
    QVERIFY(!MacroTransfer::macroIdForIndex(256 + 3).has_value()); // not slot 3 again

    const auto block = MacroTransfer::macroBlock(values({0, 1, 2, 0x04, 0x81, 0x04, 0, 0, 9, 9}));
    QCOMPARE(bytes(block.data(), 10), QByteArray("\x00\x01\x02\x04\x81\x04\x00\x00\x09\x09", 10));
    QCOMPARE(bytes(block.data() + 10, 118), QByteArray(118, '\0'));

    QVariantList tooLong(200, 7);
    QCOMPARE(int(MacroTransfer::macroBlock(tooLong)[127]), 7);
}

void TestOperationsTables::profileImageByteMap()
{
    DeviceProfileImages images;
    DpiEncoding::StageCodes stages;
    for (int i = 0; i < 8; ++i)
        stages.codes[i] = uchar(0x10 + i);
    stages.highBitMask = 0xA0;
    images.setDpiStages(stages, 0x0F, false);
    for (int n = 1; n <= 4; ++n) {
        QCOMPARE(int(images.image(n)[84]), 0x10);
        QCOMPARE(int(images.image(n)[91]), 0x17);
        QCOMPARE(int(images.image(n)[92]), 0x10);
        QCOMPARE(int(images.image(n)[99]), 0x17);
        QCOMPARE(int(images.image(n)[100]), 0x0F);
        QCOMPARE(int(images.image(n)[82]), 0);
    }
    QCOMPARE(images.image(0), DeviceProfileImages::Image{});
    images.setDpiStages(stages, 0x0F, true);
    QCOMPARE(int(images.image(3)[82]), 0xA0);
    QCOMPARE(int(images.image(3)[83]), 0xA0);

    images.setEffect(2, {8, 0xC0, 15});
    QCOMPARE(bytes(images.image(2).data() + 71, 3), QByteArray("\x08\xC0\x0F", 3));

    images.setGunSwitchMask(0x1F);
    QCOMPARE(int(images.image(0)[2]), 0x1F);

    Lighting::StageColours colours{};
    colours.fill(0x33);
    images.setStageColours(true, colours);
    QCOMPARE(bytes(images.image(0).data() + 24, 24), QByteArray(24, '\x33'));
    QCOMPARE(int(images.image(0)[48]), 0);
    images.setStageColours(false, colours);
    QCOMPARE(bytes(images.image(1).data() + 104, 24), QByteArray(24, '\x33'));

    images.image(3)[65] = 0xFF;
    images.setGunData(3, 5, 3, 4);
    QCOMPARE(bytes(images.image(3).data() + 78, 4), QByteArray("\xF0\x05\x03\x04", 4));
    QCOMPARE(int(images.image(3)[65]), 0xFB);

    QVERIFY(DeviceProfileImages::isValid(4));
    QVERIFY(!DeviceProfileImages::isValid(5));
}

void TestOperationsTables::pointerArguments()
{
    QCOMPARE(PointerArguments::cursorSpeed(0), 1);
    QCOMPARE(PointerArguments::cursorSpeed(7), 14);
    QCOMPARE(PointerArguments::cursorSpeed(10), 20);
    QCOMPARE(PointerArguments::doubleClickTime(0), 900);
    QCOMPARE(PointerArguments::doubleClickTime(3), 690);
    QCOMPARE(PointerArguments::doubleClickTime(10), 200);
}

QTEST_GUILESS_MAIN(TestOperationsTables)
#include "test_operations_tables.moc"
