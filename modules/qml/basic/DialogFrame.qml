import QtQuick
import modules.qml

// A small dialog panel that can be dragged by any part that is not a button
// and never leaves its parent. Children are laid out in the panel's own
// coordinates; the title takes the top 30 pixels. While it is shown it holds
// the keyboard: Tab stays inside, Escape works cancelButton, Return okButton.
Rectangle {
    id: frame

    property string title
    default property alias content: body.data
    property Item okButton: null
    property Item cancelButton: null
    // Waiting for a key: every key goes to the capture.
    property bool capturing: false
    property Item returnFocus: null

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
    Keys.onPressed: event => KeyFocus.overlayKey(event, frame)
    Component.onDestruction: KeyFocus.close(frame)

    // The keyboard comes in with the dialog and goes back where it was; a
    // dialog opened by a click shows no ring until Tab is pressed.
    onVisibleChanged: {
        if (visible) {
            returnFocus = Window.activeFocusItem
            KeyFocus.open(frame)
            frame.forceActiveFocus(Qt.PopupFocusReason)
            return
        }
        KeyFocus.close(frame)
        const back = returnFocus
        returnFocus = null
        if (back && back.visible && (!KeyFocus.topFence || KeyFocus.contains(KeyFocus.topFence, back)))
            back.forceActiveFocus(Qt.PopupFocusReason)
        else if (KeyFocus.topFence)
            KeyFocus.topFence.forceActiveFocus(Qt.PopupFocusReason)
    }

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
