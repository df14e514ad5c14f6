// Lighting, macros, gun data, keyboard option and device profiles, sent to the
// virtual mouse of both families with and without scrambling.
#include "tests/support/operationsrig.h"

#include <QtTest>

using namespace rig;

namespace {

QByteArray imageBytes(const DeviceProfileImages::Image &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size()));
}

QVariantList ramp(int count, int first)
{
    QVariantList values;
    for (int i = 0; i < count; ++i)
        values << first + i;
    return values;
}

} // namespace

class TestOperationsLightingGuns : public QObject
{
    Q_OBJECT

private:
private slots:
    void initTestCase_data();
    void initTestCase()
    {
        // The lines these tests wait for are off unless asked for.
        QLoggingCategory::setFilterRules(QStringLiteral("kairo.debug=true"));
    }

    void attributeBlockOnBothFamilies();
    void macrosRefusedBeforeAnythingIsSent_data();
    void macrosRefusedBeforeAnythingIsSent();
    void colourfulEffect_data();
    void colourfulEffect();
    void plainEffect_data();
    void plainEffect();
    void stageColours_data();
    void stageColours();
    void eightStageColoursStoredAndPacked();
    void logoLight();

    void macroSlots();
    void gunData_data();
    void gunData();
    void gunNumbersOutsideTheSlotsRefused();
    void keyboardOption();

    void deviceProfilesReadAndSent();
    void profileNumbersOutsideTheImagesRefused();
};

void TestOperationsLightingGuns::initTestCase_data()
{
    addFamilyRows();
}

void TestOperationsLightingGuns::attributeBlockOnBothFamilies()
{
    Rig r(model());
    QTest::ignoreMessage(QtDebugMsg, "effect =  6 ");
    QTest::ignoreMessage(QtDebugMsg, "brightness =  25 ");
    QTest::ignoreMessage(QtDebugMsg, "speed =  3 ");
    QTest::ignoreMessage(QtDebugMsg, "direction =  1 ");
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^rgbArray =  \\S.* $"));
    r.operations->lighting.mouseSetLedType(6, 25, 3, 1, ramp(45, 100));
    QByteArray expected = fromHex("32 00 19 03 01") + QByteArray(59, '\0');
    QCOMPARE(r.state().attributeBlock, expected);

    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(".*"));
    r.operations->lighting.mouseSetLedType(3, 50, 0, 0, ramp(40, 1)); // short: the rest 0
    expected = fromHex("32 03 32 00 00");
    for (int i = 1; i <= 40; ++i)
        expected.append(char(i));
    expected += QByteArray(19, '\0');
    QCOMPARE(r.state().attributeBlock, expected);
    QCOMPARE(r.commandSummary(), QStringList({"16:0", "16:0"}));
}

void TestOperationsLightingGuns::colourfulEffect_data()
{
    QTest::addColumn<bool>("isGun");
    QTest::newRow("without gun") << false;
    QTest::newRow("with gun") << true;
}

void TestOperationsLightingGuns::colourfulEffect()
{
    QFETCH(bool, isGun);
    Rig r(model(isGun, true));
    const auto before = r.state();
    r.operations->lighting.mouseSetRGBEffect(8, 2, 3);
    auto s = r.state();
    if (!secondFamilyRun()) {
        QCOMPARE(s.lightingEffect, 8);
        QCOMPARE(s.lightingOption1, 0xC0);
        QCOMPARE(s.lightingOption2, 15);
        r.operations->lighting.mouseSetRGBEffect(5, 7, 0);
        QCOMPARE(r.state().lightingEffect, 5);
        QCOMPARE(r.state().lightingOption1, 0);
        QCOMPARE(r.state().lightingOption2, 0);
        r.operations->lighting.mouseSetRGBEffect(3, 1, 1);
        QCOMPARE(r.state().lightingEffect, 0);
        return;
    }
    QCOMPARE(s.profiles[1].mid(71, 3), fromHex("08 C0 0F"));
    if (isGun) {
        QCOMPARE(r.commandSummary(), QStringList({"0c:1", "0c:2", "0c:3", "0c:4"}));
        QCOMPARE(s.profiles[4].mid(71, 3), fromHex("08 C0 0F"));
    } else {
        QCOMPARE(r.commandSummary(), QStringList({"0c:1"}));
        QCOMPARE(s.profiles[4], before.profiles[4]);
        // The unsent images change too and travel with the next profile write.
        QCOMPARE(imageBytes(r.operations->images().image(4)).mid(71, 3), fromHex("08 C0 0F"));
    }
    QCOMPARE(s.lightingEffect, before.lightingEffect);
}

void TestOperationsLightingGuns::plainEffect_data()
{
    QTest::addColumn<bool>("isGun");
    QTest::addColumn<bool>("is55328");
    QTest::newRow("plain") << false << false;
    QTest::newRow("55328") << false << true;
    QTest::newRow("plain with gun") << true << false;
}

void TestOperationsLightingGuns::plainEffect()
{
    QFETCH(bool, isGun);
    QFETCH(bool, is55328);
    Rig r(model(isGun, false, is55328));
    r.operations->lighting.mouseSetRGBEffect(4, 2, 0);
    auto s = r.state();
    if (!secondFamilyRun()) {
        QCOMPARE(s.lightingEffect, 2);
        QCOMPARE(s.lightingOption1, 3);
        QCOMPARE(s.lightingOption2, is55328 ? 3 : 2);
        r.operations->lighting.mouseSetRGBEffect(0, 0, 4);
        QCOMPARE(r.state().lightingEffect, 1);
        QCOMPARE(r.state().lightingOption1, 10);
        QCOMPARE(r.state().lightingOption2, is55328 ? 1 : 2);
        return;
    }
    if (isGun) {
        QCOMPARE(r.commandSummary(), QStringList({"0c:1", "0c:2", "0c:3", "0c:4"}));
        QCOMPARE(s.profiles[1].mid(71, 3), fromHex("02 03 02"));
        QCOMPARE(s.profiles[3].mid(71, 3), fromHex("02 03 02"));
    } else {
        QCOMPARE(r.commandSummary(), QStringList({"0c:1"}));
        QCOMPARE(s.profiles[1].mid(71, 3), fromHex("02 03 03"));
        QCOMPARE(imageBytes(r.operations->images().image(2)).mid(71, 3), fromHex("02 03 02"));
    }
}

void TestOperationsLightingGuns::stageColours_data()
{
    QTest::addColumn<bool>("isColorful");
    QTest::addColumn<bool>("is55328");
    QTest::addColumn<bool>("lastStageLit");
    QTest::newRow("full colour") << true << false << true;
    QTest::newRow("plain") << false << false << true;
    QTest::newRow("55328 stage 8 lit") << false << true << true;
    QTest::newRow("55328 stage 8 black") << false << true << false;
}

void TestOperationsLightingGuns::stageColours()
{
    QFETCH(bool, isColorful);
    QFETCH(bool, is55328);
    QFETCH(bool, lastStageLit);
    Rig r(model(false, isColorful, is55328));
    const auto before = r.state();
    QVariantList colours = ramp(24, 0x41);
    if (!lastStageLit)
        colours = colours.mid(0, 21); // short list: stage 8 black
    QByteArray expected = fromHex("4142434445464748494A4B4C4D4E4F505152535455565758");
    if (!lastStageLit)
        expected = expected.left(21) + QByteArray(3, '\0');
    r.operations->lighting.mouseSetRGBColor(1, colours);
    const auto s = r.state();

    if (secondFamilyRun()) {
        // Second family: the colours ride in a profile image (55328 means nothing there).
        if (isColorful) {
            QCOMPARE(r.commandSummary(), QStringList({"0c:0"}));
            QCOMPARE(s.profiles[0].mid(24, 24), expected);
        } else {
            QCOMPARE(r.commandSummary(), QStringList({"0c:1"}));
            QCOMPARE(s.profiles[1].mid(104, 24), expected);
        }
        return;
    }
    if (is55328 && !lastStageLit) {
        QCOMPARE(r.commandSummary(), QStringList({"0c:65"}));
        QCOMPARE(s.fixedColor, fromHex("41 42 43"));
        QCOMPARE(s.stageColors, before.stageColors);
    } else if (is55328) {
        QCOMPARE(r.commandSummary(), QStringList({"10:0"}));
        QCOMPARE(s.stageColors, expected);
    } else {
        QCOMPARE(r.commandSummary(), QStringList({"10:1", "10:1"}));
        QCOMPARE(s.stageColors, expected);
        QCOMPARE(s.stageColorType, 1);
    }
}

void TestOperationsLightingGuns::eightStageColoursStoredAndPacked()
{
    Rig r(model());
    r.operations->lighting.ui_10H_SetLED8StageColor(2, ramp(8, 1));
    QCOMPARE(r.state().stageColorsType2, fromHex("21 43 65 87"));
    QCOMPARE(r.state().stageColorType, 2);

    r.operations->lighting.ui_10H_SetLED8StageColor(0, ramp(30, 200));
    QByteArray expected;
    for (int i = 0; i < 24; ++i)
        expected.append(char(200 + i));
    QCOMPARE(r.state().stageColors, expected);
    QCOMPARE(r.commandSummary(), QStringList({"10:2", "10:0"}));

    const QVariantList stored = r.operations->lighting.ui_90H_GetLED8StageColor(2);
    QCOMPARE(stored.size(), 8);
    QCOMPARE(stored.value(7).toUInt(), 8u);
    QCOMPARE(stored.value(0).typeId(), int(QMetaType::UInt));
    QVERIFY(r.operations->lighting.ui_90H_GetLED8StageColor(7).isEmpty());
    QCOMPARE(r.commands().size(), 2); // reading talks to nobody
}

void TestOperationsLightingGuns::logoLight()
{
    Rig r(model());
    auto s = r.state();
    s.ledInstructOptions = fromHex("00 05 06");
    r.setState(s);
    QVERIFY(r.operations->lighting.chkIsLogoLedWork());
    s.ledInstructOptions = fromHex("01 00 00");
    r.setState(s);
    QVERIFY(!r.operations->lighting.chkIsLogoLedWork());
    s.ledInstructOptions = fromHex("00 00 00");
    r.setState(s);
    kairo::sim::setMuted(0, true);
    QVERIFY(!r.operations->lighting.chkIsLogoLedWork());
}

void TestOperationsLightingGuns::macroSlots()
{
    Rig r(model());
    const auto before = r.state();
    const char opcode = secondFamilyRun() ? 0x0F : 0x13;

    // A key press, 20 ms, the key's release, repeated once.
    QVariant result = r.operations->macros.mouseSendMacroData(
        list({0x00, 0x01, 0x02, 0x04, 0x81, 0x04, 0x00, 0x00}), 11);
    QCOMPARE(result, QVariant(true));
    QCOMPARE(r.state().macros[11], fromHex("00 01 02 04 81 04 00 00") + QByteArray(120, '\0'));

    r.operations->macros.mouseSendMacroData(ramp(10, 1), QString("0"));
    QCOMPARE(r.state().macros[0], fromHex("01 02 03 04 05 06 07 08 09 0A") + QByteArray(118, '\0'));

    QList<QByteArray> sent = r.commands();
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent[0][1], opcode);
    QCOMPARE(int(sent[0][2]), 12);
    QCOMPARE(int(sent[1][2]), 1);

    // Position 12 has no slot: nothing goes out, and the answer says so.
    kairo::sim::clearWireLog();
    QCOMPARE(r.operations->macros.mouseSendMacroData(ramp(10, 1), 12), QVariant(false));
    QVERIFY(r.commands().isEmpty());
    QCOMPARE(r.state().macros[1], before.macros[1]);
}

// The block ends with a 0,0 pair: 62 actions fill it exactly, from 63 on
// the pair would be cut off. Slots are whole numbers from 0 to 11.
void TestOperationsLightingGuns::macrosRefusedBeforeAnythingIsSent_data()
{
    QTest::addColumn<int>("actions");
    QTest::addColumn<QVariant>("slot");
    QTest::addColumn<bool>("sent");
    QTest::newRow("62 actions") << 62 << QVariant(4) << true;
    QTest::newRow("63 actions") << 63 << QVariant(4) << false;
    QTest::newRow("100 actions") << 100 << QVariant(4) << false;
    QTest::newRow("slot 256") << 2 << QVariant(256) << false;
    QTest::newRow("slot 259") << 2 << QVariant(259) << false;
    QTest::newRow("slot -1") << 2 << QVariant(-1) << false;
    QTest::newRow("slot 1.5") << 2 << QVariant(1.5) << false;
    QTest::newRow("slot garbage") << 2 << QVariant(QString("x3")) << false;
}

void TestOperationsLightingGuns::macrosRefusedBeforeAnythingIsSent()
{
    QFETCH(int, actions);
    QFETCH(QVariant, slot);
    QFETCH(bool, sent);
    Rig r(model());
    const auto before = r.state();
    QVariantList macro{0, 1};
    for (int i = 0; i < actions; ++i)
        macro << (i % 2 ? 0x81 : 0x01) << 4;
    macro << 0 << 0;
    QCOMPARE(r.operations->macros.mouseSendMacroData(macro, slot), QVariant(sent));
    QCOMPARE(r.commands().size(), sent ? 1 : 0);
    if (sent)
        QCOMPARE(r.state().macros[4].right(2), fromHex("00 00"));
    for (int i = 0; !sent && i < kairo::sim::macroSlotCount; ++i)
        QCOMPARE(r.state().macros[i], before.macros[i]);
}

void TestOperationsLightingGuns::gunData_data()
{
    QTest::addColumn<bool>("isGun");
    QTest::addColumn<bool>("invertedY");
    QTest::newRow("gun, y as is") << true << false;
    QTest::newRow("gun, y inverted") << true << true;
    QTest::newRow("no gun function") << false << true;
}

void TestOperationsLightingGuns::gunData()
{
    QFETCH(bool, isGun);
    QFETCH(bool, invertedY);
    Rig r(model(isGun));
    auto s = r.state();
    s.keyboardOption553 = invertedY ? fromHex("00 00 01 00") : fromHex("05 06 00 07");
    r.setState(s);
    const auto before = r.state();
    r.operations->images().image(3)[65] = 0xFF;

    r.operations->guns.mouseSendGundata(2, list({5, 3, 4}));
    s = r.state();
    if (!isGun) {
        QVERIFY(r.commands().isEmpty());
        QCOMPARE(s.gunData, before.gunData);
        QCOMPARE(s.profiles[3], before.profiles[3]);
        return;
    }
    if (secondFamilyRun()) {
        QCOMPARE(r.commandSummary(), QStringList({"0c:3"}));
        QCOMPARE(s.profiles[3].mid(78, 4), fromHex("F0 05 03 04")); // never negated here
        QCOMPARE(int(uchar(s.profiles[3][65])), 0xFB);
        QCOMPARE(s.profiles[2], before.profiles[2]);
        return;
    }
    QCOMPARE(r.commandSummary(), QStringList({"83:0", "04:0"}));
    QCOMPARE(s.gunData.size(), before.gunData.size() + 1);
    QCOMPARE(s.gunData.last(), invertedY ? fromHex("05 03 FC 01") : fromHex("05 03 04 01"));

    r.operations->guns.mouseSendGundata(1, list({300, -2})); // cut to 8 bits, missing y 0
    QCOMPARE(r.state().gunData.last(), fromHex("2C FE 00 00"));
}

void TestOperationsLightingGuns::gunNumbersOutsideTheSlotsRefused()
{
    Rig r(model(true));
    const auto before = r.state();
    std::array<DeviceProfileImages::Image, DeviceProfileImages::count> images;
    for (int n = 0; n < DeviceProfileImages::count; ++n)
        images[n] = r.operations->images().image(n);
    QTest::ignoreMessage(QtDebugMsg, "mouseSendGundata refused gun 0 ");
    r.operations->guns.mouseSendGundata(0, list({5, 3, 4}));
    QTest::ignoreMessage(QtDebugMsg, "mouseSendGundata refused gun 4 ");
    r.operations->guns.mouseSendGundata(4, list({5, 3, 4}));
    QVERIFY(r.commands().isEmpty());
    QCOMPARE(r.state().gunData, before.gunData);
    for (int n = 0; n < DeviceProfileImages::count; ++n)
        QCOMPARE(r.operations->images().image(n), images[n]);
}

void TestOperationsLightingGuns::keyboardOption()
{
    // The option commands are the first family's; a second-family mouse
    // reads opcode 03 as its report rate.
    if (secondFamilyRun())
        QSKIP("first-family option commands");
    Rig r(model());
    r.operations->guns.mouseSetKeyboardoption(1, 2, 0x80, 0x40);
    QCOMPARE(r.state().keyboardOption553, fromHex("01 02 80 40"));
    QCOMPARE(r.operations->guns.GetKeyboardoption(), list({1, 2, 0x80, 0x40}));
    kairo::sim::setMuted(0, true);
    QCOMPARE(r.operations->guns.GetKeyboardoption(), list({0, 0, 0, 0}));
}

void TestOperationsLightingGuns::deviceProfilesReadAndSent()
{
    if (!secondFamilyRun())
        QSKIP("only second-family mice keep device profiles");
    Rig r(model());
    auto s = r.state();
    QByteArray stored(128, '\0');
    for (int i = 0; i < 128; ++i)
        stored[i] = char(255 - i);
    s.profiles[2] = stored;
    s.currentProfile = 3;
    r.setState(s);

    r.operations->profiles.mouseReadProfile(2);
    QCOMPARE(imageBytes(r.operations->images().image(2)), stored);
    QCOMPARE(r.operations->profiles.mouseReadCurrentProfile().toInt(), 3);

    // Changing one byte and sending the image puts it on the device whole.
    r.operations->images().image(2)[7] = 0x55;
    r.operations->profiles.mouseSetProfile(2);
    stored[7] = 0x55;
    QCOMPARE(r.state().profiles[2], stored);
    // Image 0, read at the connect, goes back as the mouse gave it.
    r.operations->profiles.mouseSetProfile(0);
    QCOMPARE(r.state().profiles[0], s.profiles[0]);

    // A read that gets no answer leaves the image as it was.
    kairo::sim::setMuted(0, true);
    r.operations->profiles.mouseReadProfile(2);
    QCOMPARE(imageBytes(r.operations->images().image(2)), stored);
    QCOMPARE(r.operations->profiles.mouseReadCurrentProfile().toInt(), 0);
    QCOMPARE(r.operations->profiles.mouseReadCurrentProfile().typeId(), int(QMetaType::Int));
}

void TestOperationsLightingGuns::profileNumbersOutsideTheImagesRefused()
{
    Rig r(model());
    QTest::ignoreMessage(QtDebugMsg, "mouseSetProfile refused profile 5 ");
    r.operations->profiles.mouseSetProfile(5);
    QTest::ignoreMessage(QtDebugMsg, "mouseReadProfile refused profile 4294967295 ");
    r.operations->profiles.mouseReadProfile(uint(-1));
    QVERIFY(r.commands().isEmpty());
    r.operations->profiles.mouseReadProfile(4);
    QCOMPARE(r.commandSummary(), QStringList({"8c:4"}));
}

QTEST_GUILESS_MAIN(TestOperationsLightingGuns)
#include "test_operations_lighting_guns.moc"
