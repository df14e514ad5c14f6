import QtQuick
import modules.qml

// Covers the window whenever the mouse cannot be used: no mouse, a mouse this
// user may not open, or one that was unplugged. It says what to check, takes
// every press away from the pages under it, and carries the window's own
// buttons and dragging, since the frame's top bar may not be built yet.
Rectangle {
    id: panel

    // "absent", "denied", "unplugged"; "connected" or "" (not checked yet) hide it.
    property string deviceState: ""
    property string node: ""
    property string command: ""
    property var texts: []
    property real zoom: 1.0
    // Over the drawn frame the pages show through, dimmed; before it the
    // window has nothing else to show.
    property bool overFrame: false

    readonly property bool shown: deviceState === "absent" || deviceState === "denied"
                                  || deviceState === "unplugged"
    readonly property string titleText: deviceState === "denied"
                                        ? text(2, "The mouse cannot be opened")
                                        : deviceState === "unplugged"
                                          ? text(4, "The mouse was unplugged")
                                          : text(0, "No mouse found")
    readonly property string messageText: deviceState === "denied"
                                          ? text(3, "Kairo may not open %1: the udev rule is "
                                                 + "missing. Install it with this command, then "
                                                 + "unplug and replug the mouse:").replace("%1", node)
                                          : deviceState === "unplugged"
                                            ? text(5, "The pages stay locked until it is back.")
                                            : text(1, "Check that the mouse is plugged in and "
                                                   + "that the udev rule is installed.")

    signal minimizeClicked()
    signal closeClicked()
    signal dragStarted()
    signal dragged()

    function text(index: int, fallback: string): string {
        return texts && texts[index] ? texts[index] : fallback
    }

    objectName: "deviceStatePanel"
    visible: shown
    color: overFrame ? Theme.maskColor : Theme.panelColor
    Accessible.role: Accessible.AlertMessage
    Accessible.name: titleText

    DragArea {
        objectName: "deviceStateDragArea"
        anchors.fill: parent
        // The pages underneath must not light up as the pointer passes.
        hoverEnabled: true
        Accessible.name: "Drag the window"
        onPressed: panel.dragStarted()
        onDragged: panel.dragged()
        onWheel: function(wheel) { wheel.accepted = true }
    }

    // The top bar's picture and window buttons, laid out and scaled as the frame's.
    Item {
        objectName: "deviceStateBar"
        width: 1280
        height: 36
        anchors.horizontalCenter: parent.horizontalCenter
        y: (panel.zoom - 1) * height / 2
        scale: panel.zoom
        Accessible.name: "KAIRO"

        ShownImage {
            objectName: "deviceStateBarPicture"
            anchors.fill: parent
            picture: Images.titleBar
            Accessible.name: "KAIRO"
        }
        Image {
            objectName: "deviceStateLogo"
            x: 36
            anchors.verticalCenter: parent.verticalCenter
            width: 220
            height: 28
            source: Images.titleLogo
            smooth: true
            Accessible.role: Accessible.Graphic
            Accessible.name: "KAIRO"
        }
        Row {
            objectName: "deviceStateWindowButtons"
            anchors.right: parent.right
            anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            spacing: 10
            Accessible.name: "Window"

            WindowButton {
                objectName: "deviceMinimizeButton"
                source: Images.minimize
                Accessible.name: "Minimize"
                onClicked: panel.minimizeClicked()
            }
            WindowButton {
                objectName: "deviceCloseButton"
                source: Images.close
                Accessible.name: "Hide to tray"
                onClicked: panel.closeClicked()
            }
        }
    }

    // Its top and width fixed, so every state puts its parts in the same
    // places; as tall as the state's texts, which a language may wrap.
    Rectangle {
        id: card

        objectName: "deviceStateCard"
        width: 680
        height: Math.max(160, textColumn.implicitHeight + 64)
        anchors.horizontalCenter: parent.horizontalCenter
        y: panel.height / 2 - 160 * panel.zoom
        transformOrigin: Item.Top
        scale: panel.zoom
        radius: 6
        color: Theme.panelColor
        border.width: 1
        border.color: Theme.panelBorder
        Accessible.role: Accessible.Dialog
        Accessible.name: panel.titleText

        Rectangle {
            objectName: "deviceStateAccent"
            width: card.width
            height: 6
            radius: 3
            color: Theme.colorPrimary
            Accessible.name: panel.titleText
        }

        Column {
            id: textColumn

            objectName: "deviceStateTexts"
            x: 32
            y: 32
            width: card.width - 64
            spacing: 16
            Accessible.name: panel.titleText

            Text {
                objectName: "deviceStateTitle"
                width: parent.width
                text: panel.titleText
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontMaxSize + 6
                font.bold: true
                wrapMode: Text.WordWrap
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            Text {
                objectName: "deviceStateMessage"
                width: parent.width
                text: panel.messageText
                color: Theme.colorGray3
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                wrapMode: Text.Wrap
                lineHeight: 1.15
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Rectangle {
                objectName: "deviceStateCommandBox"
                width: parent.width
                height: commandText.implicitHeight + 20
                visible: panel.deviceState === "denied" && panel.command !== ""
                radius: 3
                color: Theme.colorGray0
                border.width: 1
                border.color: Theme.colorGray1
                Accessible.name: panel.command

                // Selectable, so the command can be copied into a terminal.
                TextEdit {
                    id: commandText

                    objectName: "deviceStateCommand"
                    x: 10
                    y: 10
                    width: parent.width - 20
                    text: panel.command
                    readOnly: true
                    selectByMouse: true
                    wrapMode: TextEdit.Wrap
                    color: Theme.colorPrimary
                    selectionColor: Theme.colorGray6
                    selectedTextColor: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    Accessible.role: Accessible.EditableText
                    Accessible.name: panel.command
                }
            }
            TextButton {
                objectName: "deviceStateCopy"
                visible: panel.deviceState === "denied" && panel.command !== ""
                text: panel.text(6, "Copy")
                framed: true
                Accessible.name: text
                onClicked: {
                    commandText.selectAll()
                    commandText.copy()
                }
            }
        }
    }
}
