import QtQuick
import modules.qml

// Shown alone until the device data have been read for the first time.
ShownImage {
    objectName: "powerOnLogo"
    width: 400
    height: 300
    picture: Images.powerOn
    Accessible.role: Accessible.Graphic
    Accessible.name: "ZENDRA KAIRO MOUSE K1"
}
