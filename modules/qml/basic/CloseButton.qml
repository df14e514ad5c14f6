import QtQuick
import modules.qml

// The cross in a panel's corner. Escape works it too (the panel's cancelButton).
Image {
    id: button

    property real reach: 0

    signal clicked()

    source: Images.dialogClose
    smooth: true
    opacity: area.containsMouse || activeFocus ? 1.0 : 0.7
    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: "Close"
    Accessible.focusable: true
    Accessible.onPressAction: button.clicked()
    Keys.onPressed: event => KeyFocus.press(event, button, () => button.clicked())

    FocusRing {}

    MouseArea {
        id: area

        anchors.fill: parent
        anchors.margins: -button.reach
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}
