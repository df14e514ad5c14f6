import QtQuick
import modules.qml

// Visible while the scene is locked. The pulse runs only while busy, so a
// scene hidden in the tray has no animation running.
Item {
    id: busy

    property bool running: false

    objectName: "busyIndicator"
    width: 64
    height: 64
    visible: running
    Accessible.role: Accessible.Indicator
    Accessible.name: "Busy"

    Text {
        id: pulse
        anchors.centerIn: parent
        text: ""
        color: Theme.fontColor
    }

    Rectangle {
        id: ring
        anchors.fill: parent
        radius: width / 2
        color: Theme.colorTransparent
        border.width: 4
        border.color: Theme.colorPrimary
        opacity: pulse.opacity
    }

    SequentialAnimation {
        running: busy.running
        loops: Animation.Infinite
        onStopped: pulse.opacity = 1.0
        NumberAnimation {
            target: pulse
            property: "opacity"
            from: 1.0
            to: 0.2
            duration: 400
        }
        NumberAnimation {
            target: pulse
            property: "opacity"
            from: 0.2
            to: 1.0
            duration: 400
        }
    }
}
