import QtQuick
import modules.qml

// A 24 x 24 picture button of the top bar.
Item {
    id: button

    property alias source: picture.source

    signal clicked()

    width: 24
    height: 24
    Accessible.role: Accessible.Button
    Accessible.onPressAction: button.clicked()

    Rectangle {
        anchors.fill: parent
        radius: 4
        color: area.containsMouse ? Theme.colorGray1 : Theme.colorTransparent
    }
    Image {
        id: picture
        anchors.fill: parent
        smooth: true
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
