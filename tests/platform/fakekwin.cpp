// Stands in for KWin's input device interface on the session bus it is
// given: org.kde.KWin with the device manager at /org/kde/KWin/InputDevice
// and one object per device below it. Each argument describes a device as
// sysName|name|vendor|product|kind|acceleration, kind being mouse, touchpad
// or keyboard. Prints "ready" once the name is owned.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QTextStream>

class FakeDevice : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDevice")
    Q_PROPERTY(QString sysName MEMBER sysName CONSTANT)
    Q_PROPERTY(QString name MEMBER name CONSTANT)
    Q_PROPERTY(quint32 vendor MEMBER vendor CONSTANT)
    Q_PROPERTY(quint32 product MEMBER product CONSTANT)
    Q_PROPERTY(bool pointer MEMBER pointer CONSTANT)
    Q_PROPERTY(bool touchpad MEMBER touchpad CONSTANT)
    Q_PROPERTY(bool keyboard MEMBER keyboard CONSTANT)
    Q_PROPERTY(bool supportsPointerAcceleration MEMBER pointer CONSTANT)
    Q_PROPERTY(qreal pointerAcceleration MEMBER pointerAcceleration)
public:
    explicit FakeDevice(const QStringList &fields)
    {
        sysName = fields.value(0);
        name = fields.value(1);
        vendor = fields.value(2).toUInt();
        product = fields.value(3).toUInt();
        const QString kind = fields.value(4);
        keyboard = kind == QLatin1String("keyboard");
        touchpad = kind == QLatin1String("touchpad");
        pointer = !keyboard;
        pointerAcceleration = fields.value(5).toDouble();
    }

    QString sysName;
    QString name;
    quint32 vendor = 0;
    quint32 product = 0;
    bool pointer = false;
    bool touchpad = false;
    bool keyboard = false;
    qreal pointerAcceleration = 0;
};

class FakeDeviceManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDeviceManager")
    Q_PROPERTY(QStringList devicesSysNames MEMBER sysNames CONSTANT)
public:
    QStringList sysNames;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    const auto exported = QDBusConnection::ExportAllProperties;
    FakeDeviceManager manager;
    QList<FakeDevice *> devices;
    for (const QString &argument : app.arguments().mid(1)) {
        auto *device = new FakeDevice(argument.split('|'));
        devices << device;
        manager.sysNames << device->sysName;
        bus.registerObject("/org/kde/KWin/InputDevice/" + device->sysName, device, exported);
    }
    bus.registerObject("/org/kde/KWin/InputDevice", &manager, exported);
    if (!bus.registerService("org.kde.KWin"))
        return 1;
    QTextStream(stdout) << "ready" << Qt::endl;
    const int result = app.exec();
    qDeleteAll(devices);
    return result;
}

#include "fakekwin.moc"
