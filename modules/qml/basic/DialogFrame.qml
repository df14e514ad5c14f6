import QtQuick
import modules.qml

// A small dialog panel that can be dragged by any part that is not a button
// and never leaves its parent. Children are laid out in the panel's own
// coordinates; the title takes the top 30 pixels.
Rectangle {
    id: frame

    property string title
    default property alias content: body.data

    x: parent ? Math.round((parent.width - width) / 2) : 0
    y: parent ? Math.round((parent.height - height) / 2) : 0
    width: 427
    height: 102
    radius: 6
    color: Theme.panelColor
    border.width: 1
    border.color: Theme.panelBorder
    Accessible.role: Accessible.Dialog
    Accessible.name: title

    MouseArea {
        objectName: "dialogDragArea"
        anchors.fill: parent
        drag.target: frame
        drag.smoothed: false
        drag.minimumX: 0
        drag.minimumY: 0
        drag.maximumX: frame.parent ? Math.max(0, frame.parent.width - frame.width) : 0
        drag.maximumY: frame.parent ? Math.max(0, frame.parent.height - frame.height) : 0
    }

    Rectangle {
        x: 12
        y: 11
        width: 3
        height: 14
        radius: 1
        color: Theme.colorPrimary
    }

    Text {
        objectName: "dialogTitle"
        x: 22
        y: 8
        height: 20
        verticalAlignment: Text.AlignVCenter
        text: frame.title
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMaxSize
        font.bold: true
    }

    Rectangle {
        x: 12
        y: 30
        width: frame.width - 24
        height: 1
        color: Theme.panelBorder
    }

    Item {
        id: body

        anchors.fill: parent
    }
}
