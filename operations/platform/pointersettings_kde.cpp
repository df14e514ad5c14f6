// KDE Plasma. On Wayland KWin runs the input devices and takes a new pointer
// acceleration (-1..1) per device over D-Bus at once; Plasma on X11 leaves
// them to the X server. kcminputrc keeps the speed for the next session, in
// the per-device groups KWin reads on Wayland and in [Mouse] on X11, and
// kdeglobals keeps the double-click time and wheel lines for every KDE and
// Qt program. kwriteconfig6 (or kwriteconfig5) writes both files.
#include "operations/platform/pointersettings_desktops.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QList>

namespace {

const QString kwinService = QStringLiteral("org.kde.KWin");
const QString devicesPath = QStringLiteral("/org/kde/KWin/InputDevice");
const QString managerInterface = QStringLiteral("org.kde.KWin.InputDeviceManager");
const QString deviceInterface = QStringLiteral("org.kde.KWin.InputDevice");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
// KWin answers at once; without KWin the bus itself says so.
constexpr int kwinTimeoutMs = 1500;

QVariant kwinProperty(const QString &path, const QString &interface, const QString &name)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kwinService, path, propertiesInterface, "Get");
    call << interface << name;
    const QDBusMessage reply =
        QDBusConnection::sessionBus().call(call, QDBus::Block, kwinTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

bool setKwinProperty(const QString &path, const QString &name, const QVariant &value)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kwinService, path, propertiesInterface, "Set");
    call << deviceInterface << name << QVariant::fromValue(QDBusVariant(value));
    const QDBusMessage reply =
        QDBusConnection::sessionBus().call(call, QDBus::Block, kwinTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

struct KwinMouse {
    QString path;
    QString name;
    quint32 vendor = 0;
    quint32 product = 0;
};

// The pointers Plasma's mouse settings list: not touchpads, and only those
// whose acceleration can change.
QList<KwinMouse> kwinMice()
{
    QList<KwinMouse> mice;
    const QStringList sysNames =
        kwinProperty(devicesPath, managerInterface, QStringLiteral("devicesSysNames"))
            .toStringList();
    for (const QString &sysName : sysNames) {
        const QString path = devicesPath + '/' + sysName;
        auto property = [&path](const char *name) {
            return kwinProperty(path, deviceInterface, QLatin1String(name));
        };
        if (!property("pointer").toBool() || property("touchpad").toBool())
            continue;
        const QVariant adjustable = property("supportsPointerAcceleration");
        if (adjustable.isValid() && !adjustable.toBool())
            continue;
        mice.append({path, property("name").toString(), property("vendor").toUInt(),
                     property("product").toUInt()});
    }
    return mice;
}

QStringList installedConfigTools()
{
    QStringList tools;
    for (const char *tool : {"kwriteconfig6", "kwriteconfig5"}) {
        if (PointerShared::hasTool(QLatin1String(tool)))
            tools << QLatin1String(tool);
    }
    return tools;
}

// groups: nested groups, outermost first. The value follows "--" so that a
// negative number is not read as an option.
bool writeConfig(const QString &file, const QStringList &groups, const QString &key,
                 const QString &value, bool notify = false)
{
    for (const QString &tool : installedConfigTools()) {
        QStringList arguments{"--file", file};
        for (const QString &group : groups)
            arguments << "--group" << group;
        arguments << "--key" << key;
        // Only kwriteconfig6 knows --notify (KConfigWatcher's signal).
        if (notify && tool == QLatin1String("kwriteconfig6"))
            arguments << "--notify";
        arguments << "--" << value;
        if (PointerShared::runTool(tool, arguments))
            return true;
    }
    return false;
}

// KDE's own programs and Qt's KDE platform theme reload their mouse
// settings on this signal, as they do after Plasma's mouse settings save.
void announceMouseSettingsChange()
{
    constexpr int settingsChanged = 3;
    constexpr int mouseSettings = 0;
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                                     QStringLiteral("org.kde.KGlobalSettings"),
                                                     QStringLiteral("notifyChange"));
    signal << settingsChanged << mouseSettings;
    QDBusConnection::sessionBus().send(signal);
}

bool writeKdeGlobal(const QString &key, int value)
{
    if (!writeConfig(QStringLiteral("kdeglobals"), {QStringLiteral("KDE")}, key,
                     QString::number(value), true))
        return false;
    announceMouseSettingsChange();
    return true;
}

class KdePointerSettings final : public PointerSettings
{
public:
    bool setCursorSpeed(int speed) override
    {
        if (speed < 1 || speed > 20)
            return false;
        if (PointerShared::waylandSession())
            return setKwinSpeed(speed);
        if (!PointerShared::applyX11PointerSpeed(speed))
            return false;
        writeConfig(QStringLiteral("kcminputrc"), {QStringLiteral("Mouse")},
                    QStringLiteral("XLbInptPointerAcceleration"),
                    PointerShared::unitSpeedText(speed));
        return true;
    }

    bool setDoubleClickTime(int milliseconds) override
    {
        if (milliseconds <= 0)
            return false;
        PointerShared::applyDoubleClickToKairo(milliseconds);
        return writeKdeGlobal(QStringLiteral("DoubleClickInterval"), milliseconds);
    }

    bool setWheelScrollLines(int lines) override
    {
        if (lines <= 0)
            return false;
        PointerShared::applyWheelLinesToKairo(lines);
        return writeKdeGlobal(QStringLiteral("WheelScrollLines"), lines);
    }

    PointerSupport support() override
    {
        const PointerGap tools =
            installedConfigTools().isEmpty() ? PointerGap::NoTool : PointerGap::NoGap;
        return {QStringLiteral("KDE"), speedGap(), tools, tools};
    }

private:
    static bool setKwinSpeed(int speed)
    {
        const QString text = PointerShared::unitSpeedText(speed);
        const QList<KwinMouse> mice = kwinMice();
        bool applied = !mice.isEmpty();
        for (const KwinMouse &mouse : mice) {
            applied =
                setKwinProperty(mouse.path, QStringLiteral("pointerAcceleration"), text.toDouble())
                && applied;
            const QStringList group{QStringLiteral("Libinput"), QString::number(mouse.vendor),
                                    QString::number(mouse.product), mouse.name};
            writeConfig(QStringLiteral("kcminputrc"), group, QStringLiteral("PointerAcceleration"),
                        text);
        }
        return applied;
    }

    static PointerGap speedGap()
    {
        const bool reachable = PointerShared::waylandSession()
                                   ? !kwinMice().isEmpty()
                                   : PointerShared::x11DisplayAvailable();
        return reachable ? PointerGap::NoGap : PointerGap::NoDevice;
    }
};

} // namespace

std::unique_ptr<PointerSettings> createKdePointerSettings()
{
    return std::make_unique<KdePointerSettings>();
}
