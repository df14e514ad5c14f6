#pragma once

#include <QObject>

#include <memory>

// Tells the main widget that HID devices came or went. Which device changed
// does not matter: the widget re-reads the whole device table.
class DeviceChangeSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~DeviceChangeSource() override;

    // The source of this platform; one that never reports when the platform
    // offers no notices (the program then finds the mouse only at start-up
    // and on a later notice-free check).
    static std::unique_ptr<DeviceChangeSource> createForPlatform();

signals:
    void deviceChanged();
};
