import QtQuick
import modules.qml

// The ring around the control that has the keyboard. Mouse clicks give no
// focus, so the ring shows only where the keyboard went.
Rectangle {
    property Item target: parent
    property real gap: 3

    objectName: "focusRing"
    x: -gap
    y: -gap
    width: target ? target.width + 2 * gap : 0
    height: target ? target.height + 2 * gap : 0
    z: 10
    radius: 4
    visible: target ? target.activeFocus : false
    color: Theme.colorTransparent
    border.width: 2
    border.color: Theme.focusColor
    Accessible.ignored: true
}
