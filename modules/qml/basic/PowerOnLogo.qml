import QtQuick
import modules.qml

// Shown alone until the device data have been read for the first time.
Image {
    objectName: "powerOnLogo"
    width: 400
    height: 300
    source: Images.powerOn
    smooth: true
    Accessible.role: Accessible.Graphic
    Accessible.name: "ZENDRA KAIRO MOUSE K1"
}
