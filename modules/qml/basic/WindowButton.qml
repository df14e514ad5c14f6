import QtQuick
import modules.qml

// A 24 x 24 picture button of the top bar.
Item {
    id: button

    property alias source: picture.source

    signal clicked()

    width: 24
    height: 24
    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.focusable: true
    Accessible.onPressAction: button.clicked()
    Keys.onPressed: event => KeyFocus.press(event, button, () => button.clicked())

    FocusRing {}

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
