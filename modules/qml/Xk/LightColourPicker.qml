pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The effect's colour blocks: which one is chosen, and its colour taken from
// the hue bar or typed as red, green and blue.
Item {
    id: picker

    // "#rrggbb" per block, and the chosen block.
    property var colors: []
    property int chosen: 0
    // The page's word for a block's colour.
    property string blockText: ""

    signal blockChosen(int index)
    signal hueChosen(string color)
    signal colorTyped(string color)

    width: blocks.width
    height: fields.y + fields.height

    function showFields(): void {
        const rgb = SceneLogic.colorToBytes(picker.colors[picker.chosen]);
        redField.textValue = String(rgb[0]);
        greenField.textValue = String(rgb[1]);
        blueField.textValue = String(rgb[2]);
    }

    function closeFocus(): void {
        redField.closeFocus();
        greenField.closeFocus();
        blueField.closeFocus();
    }

    function takeFields(): void {
        const color = SceneLogic.bytesToColor(parseInt(redField.txtInput.text) || 0,
                                              parseInt(greenField.txtInput.text) || 0,
                                              parseInt(blueField.txtInput.text) || 0);
        if (color !== picker.colors[picker.chosen])
            picker.colorTyped(color);
    }

    function pickHue(x: real): void {
        const ratio = Math.max(0, Math.min(1, x / hueBar.width));
        picker.hueChosen(SceneLogic.hueColor(ratio * 360));
    }

    Row {
        id: blocks
        spacing: 8

        Repeater {
            model: LightRules.blockCount
            delegate: Rectangle {
                id: block
                required property int index
                objectName: "lightBlock" + index
                width: 28
                height: 28
                radius: 3
                color: picker.colors[index]
                border.width: index === picker.chosen ? 2 : 1
                border.color: index === picker.chosen || blockArea.containsMouse
                              ? Theme.colorPrimary : Theme.colorGray6
                Accessible.role: Accessible.Button
                Accessible.name: picker.blockText + " " + (index + 1)
                Accessible.selected: index === picker.chosen
                Accessible.onPressAction: picker.blockChosen(block.index)

                MouseArea {
                    id: blockArea
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: picker.blockChosen(block.index)
                }
            }
        }
    }

    Image {
        id: hueBar
        objectName: "lightHueBar"
        y: 46
        width: blocks.width
        height: 14
        source: Images.hueBar
        smooth: true
        Accessible.role: Accessible.ColorChooser
        Accessible.name: "Hue of the selected colour block"

        MouseArea {
            anchors.fill: parent
            anchors.topMargin: -4
            anchors.bottomMargin: -4
            onPressed: function(mouse) { picker.pickHue(mouse.x) }
            onPositionChanged: function(mouse) {
                if (pressed)
                    picker.pickHue(mouse.x)
            }
        }
    }

    component FieldLetter: Text {
        width: 14
        height: 20
        verticalAlignment: Text.AlignVCenter
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Row {
        id: fields
        y: 80
        spacing: 10

        FieldLetter { text: "R" }
        RectInput {
            id: redField
            objectName: "lightR"
            Accessible.name: "Red"
            onEndInputSignal: picker.takeFields()
        }
        FieldLetter { text: "G" }
        RectInput {
            id: greenField
            objectName: "lightG"
            Accessible.name: "Green"
            onEndInputSignal: picker.takeFields()
        }
        FieldLetter { text: "B" }
        RectInput {
            id: blueField
            objectName: "lightB"
            Accessible.name: "Blue"
            onEndInputSignal: picker.takeFields()
        }
        Rectangle {
            objectName: "lightPreview"
            width: 48
            height: 20
            radius: 3
            color: picker.colors[picker.chosen]
            border.width: 1
            border.color: Theme.colorGray2
            Accessible.role: Accessible.Graphic
            Accessible.name: "Selected colour " + picker.colors[picker.chosen]
        }
    }
}
