import QtQuick
import modules.qml

// A word that acts as a button; framed for the buttons of a dialog.
Item {
    id: button

    property string text
    property int pixelSize: Theme.fontNormalSize
    property bool bold: false
    property color textColor: Theme.fontColor
    property bool framed: false
    readonly property bool hovered: area.containsMouse

    signal clicked

    implicitWidth: label.implicitWidth + (framed ? 28 : 0)
    implicitHeight: label.implicitHeight + (framed ? 8 : 0)
    opacity: enabled ? 1.0 : 0.5
    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.focusable: true
    Accessible.onPressAction: clicked()
    Keys.onPressed: event => KeyFocus.press(event, button, () => button.clicked())

    FocusRing {}

    Rectangle {
        anchors.fill: parent
        visible: button.framed
        radius: 3
        color: area.pressed ? Theme.colorGray1 : Theme.colorTransparent
        border.width: 1
        border.color: button.hovered ? Theme.colorPrimary : Theme.colorGray6
    }

    Text {
        id: label

        anchors.centerIn: parent
        text: button.text
        color: button.hovered ? Theme.colorPrimary : button.textColor
        font.family: Theme.fontFamily
        font.pixelSize: button.pixelSize
        font.bold: button.bold
    }

    MouseArea {
        id: area

        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}
