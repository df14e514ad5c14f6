pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// Colour-wheel picker: a hue wheel of fully saturated colours and the R, G, B
// bytes. The colour is carried as "#rrggbb" in lower case.
Item {
    id: picker

    property string colorValue: "#ff0000"
    property string redText: "R"
    property string greenText: "G"
    property string blueText: "B"
    readonly property var bytes: SceneLogic.colorToBytes(picker.colorValue)
    readonly property color shownColor: picker.colorValue

    width: 340
    height: 160

    function setColor(color: string) {
        const rgb = SceneLogic.colorToBytes(color)
        picker.colorValue = SceneLogic.bytesToColor(rgb[0], rgb[1], rgb[2])
        picker.showBytes()
    }

    function showBytes() {
        redField.textValue = String(picker.bytes[0])
        greenField.textValue = String(picker.bytes[1])
        blueField.textValue = String(picker.bytes[2])
    }

    function closeFocus() {
        redField.closeFocus()
        greenField.closeFocus()
        blueField.closeFocus()
    }

    function pickHue(x: real, y: real) {
        picker.closeFocus()
        picker.colorValue = SceneLogic.hueColor(SceneLogic.hueAngle(x, y, wheel.width / 2,
                                                                     wheel.height / 2))
        picker.showBytes()
    }

    function takeFields() {
        picker.colorValue = SceneLogic.bytesToColor(parseInt(redField.txtInput.text) || 0,
                                                    parseInt(greenField.txtInput.text) || 0,
                                                    parseInt(blueField.txtInput.text) || 0)
    }

    ShownImage {
        id: wheel
        objectName: "dpiColorWheel"
        width: 160
        height: 160
        picture: Images.colorWheel
        Accessible.role: Accessible.ColorChooser
        Accessible.name: "Hue wheel"

        // The marker turns with the hue; grey has no hue and hides it.
        Item {
            anchors.centerIn: parent
            width: parent.width
            height: 0
            rotation: -picker.shownColor.hsvHue * 360
            visible: picker.shownColor.hsvSaturation > 0

            Rectangle {
                x: parent.width - 22
                y: -6
                width: 12
                height: 12
                radius: 6
                color: Theme.colorTransparent
                border.width: 2
                border.color: Theme.fontColor
            }
        }

        MouseArea {
            anchors.fill: parent
            onPressed: function(mouse) { picker.pickHue(mouse.x, mouse.y) }
            onPositionChanged: function(mouse) {
                if (pressed)
                    picker.pickHue(mouse.x, mouse.y)
            }
        }
    }

    Column {
        id: fields
        anchors.left: wheel.right
        anchors.leftMargin: 28
        y: 6
        spacing: 12

        Row {
            spacing: 10
            Text {
                anchors.verticalCenter: parent.verticalCenter
                width: 16
                text: picker.redText
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            RectInput {
                id: redField
                objectName: "dpiColorRed"
                minValue: 0
                maxValue: 255
                Accessible.name: "Red"
                onEndInputSignal: picker.takeFields()
            }
        }
        Row {
            spacing: 10
            Text {
                anchors.verticalCenter: parent.verticalCenter
                width: 16
                text: picker.greenText
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            RectInput {
                id: greenField
                objectName: "dpiColorGreen"
                minValue: 0
                maxValue: 255
                Accessible.name: "Green"
                onEndInputSignal: picker.takeFields()
            }
        }
        Row {
            spacing: 10
            Text {
                anchors.verticalCenter: parent.verticalCenter
                width: 16
                text: picker.blueText
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            RectInput {
                id: blueField
                objectName: "dpiColorBlue"
                minValue: 0
                maxValue: 255
                Accessible.name: "Blue"
                onEndInputSignal: picker.takeFields()
            }
        }
    }

    Rectangle {
        id: preview
        objectName: "dpiColorPreview"
        anchors.left: fields.left
        anchors.top: fields.bottom
        anchors.topMargin: 16
        width: 74
        height: 36
        radius: 3
        color: picker.colorValue
        border.width: 1
        border.color: Theme.colorGray2
        Accessible.role: Accessible.Graphic
        Accessible.name: "Chosen colour " + picker.colorValue
    }
    Text {
        anchors.left: preview.right
        anchors.leftMargin: 10
        anchors.verticalCenter: preview.verticalCenter
        text: picker.colorValue
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
    }
}
