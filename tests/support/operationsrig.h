#pragma once

// A settings folder, a device link and the operations, wired to the virtual
// mouse the way the program wires them to a real one.

#include "tests/support/linkfixture.h"

#include "operations/deviceoperations.h"
#include "settings/settingsstore.h"

#include <QTemporaryDir>
#include <QTest>
#include <QVariantList>

#include <initializer_list>
#include <memory>

namespace rig {

struct Model {
    QString family = "553";
    bool isEncode = false;
    bool isGun = false;
    bool isColorful = false;
    bool is55328 = false;
};

class Rig
{
public:
    explicit Rig(const Model &model, std::shared_ptr<PointerSettings> pointer = nullptr);

    kairo::sim::FirmwareState state() const { return kairo::sim::state(0); }
    void setState(const kairo::sim::FirmwareState &s) { kairo::sim::setState(0, s); }

    // The command reports the firmware received, decoded, in order.
    QList<QByteArray> commands() const;
    // Opcode and P1 of every command report, e.g. "12:1".
    QStringList commandSummary() const;

    const QString sCode = QStringLiteral("k7Q2m9");
    Model model;
    QTemporaryDir dir;
    // The store reads the modules the rig writes, and the link's table is the
    // one the store describes, so these come up in this order.
    std::unique_ptr<SettingsStore> store;
    LinkFixture link;
    std::unique_ptr<DeviceOperations> operations;

private:
    std::unique_ptr<SettingsStore> writeModulesAndOpenStore();
    kairo::sim::DeviceConfig device() const;
};

inline QVariantList list(std::initializer_list<int> values)
{
    QVariantList result;
    for (int v : values)
        result << v;
    return result;
}

// Every device test runs on both families, scrambled and plain.
inline void addFamilyRows()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("isEncode");
    QTest::newRow("553 plain") << "553" << false;
    QTest::newRow("553 encoded") << "553" << true;
    QTest::newRow("560 plain") << "560" << false;
    QTest::newRow("560 encoded") << "560" << true;
}

inline bool secondFamilyRun()
{
    QFETCH_GLOBAL(QString, family);
    return family == "560";
}

// The model of the current run, with the given flags.
inline Model model(bool isGun = false, bool isColorful = false, bool is55328 = false)
{
    QFETCH_GLOBAL(QString, family);
    QFETCH_GLOBAL(bool, isEncode);
    Model m;
    m.family = family;
    m.isEncode = isEncode;
    m.isGun = isGun;
    m.isColorful = isColorful;
    m.is55328 = is55328;
    return m;
}

} // namespace rig
