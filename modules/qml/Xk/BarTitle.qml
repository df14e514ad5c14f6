import QtQuick
import modules.qml

// A section's heading, marked by a short bar in the primary colour.
Row {
    property alias text: caption.text

    spacing: 8
    Rectangle {
        anchors.verticalCenter: parent.verticalCenter
        width: 3
        height: 14
        radius: 1
        color: Theme.colorPrimary
    }
    Text {
        id: caption
        anchors.verticalCenter: parent.verticalCenter
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
    }
}
