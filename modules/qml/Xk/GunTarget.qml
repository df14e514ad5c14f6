import QtQuick
import modules.qml

// The pull-down correction: a dot dragged down the target, or the Y value
// typed, with the gun's fixed X beside it.
Item {
    id: aim

    // The gun editor's texts, already in the shown language.
    property var texts: []

    readonly property string shownY: yInput.textValue

    // A press on the target, before the dot moves.
    signal touched()
    signal yChosen(string text)

    width: 380
    height: 230

    function show(x: string, y: string): void {
        xText.text = x;
        aim.showY(y);
    }

    function showY(y: string): void {
        yInput.textValue = y;
        yInput.txtInput.text = y;
        dot.y = GunRules.dotFromY(y);
    }

    // The dot follows the pointer; the value is stored once it is let go.
    function moveDot(pointerY: real): void {
        dot.y = GunRules.clampDot(pointerY - dot.height / 2);
        const y = String(GunRules.yFromDot(dot.y));
        yInput.textValue = y;
        yInput.txtInput.text = y;
    }

    function closeFocus(): void {
        yInput.closeFocus();
    }

    BarTitle {
        text: aim.texts[3]
    }

    Image {
        id: target

        objectName: "gunTarget"
        y: 30
        width: 200
        height: 200
        source: Images.gunTarget
        sourceSize.width: 200
        sourceSize.height: 200
        Accessible.role: Accessible.Slider
        Accessible.name: aim.texts[5]
        Accessible.description: yInput.textValue

        Rectangle {
            id: dot

            objectName: "gunDot"
            x: (target.width - width) / 2
            y: GunRules.dotTop
            width: 22
            height: 22
            radius: 11
            color: Theme.colorTransparent
            border.width: 2
            border.color: Theme.colorPrimary
            Accessible.role: Accessible.Indicator
            Accessible.name: "Recoil dot"

            Rectangle {
                anchors.centerIn: parent
                width: 8
                height: 8
                radius: 4
                color: Theme.colorPrimary
            }
        }

        // A press anywhere on the target brings the dot under the pointer.
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.SizeVerCursor
            onPressed: mouse => {
                aim.touched()
                aim.moveDot(mouse.y)
            }
            onPositionChanged: mouse => aim.moveDot(mouse.y)
            onReleased: aim.yChosen(String(GunRules.yFromDot(dot.y)))
        }
    }

    Grid {
        x: 224
        y: 66
        columns: 2
        rowSpacing: 26
        columnSpacing: 8
        verticalItemAlignment: Grid.AlignVCenter

        FieldLabel {
            text: aim.texts[4]
        }
        Text {
            id: xText

            objectName: "gunX"
            width: 48
            horizontalAlignment: Text.AlignHCenter
            color: Theme.colorGray2
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            Accessible.role: Accessible.StaticText
            Accessible.name: aim.texts[4] + " " + text
        }
        FieldLabel {
            text: aim.texts[5]
        }
        RectInput {
            id: yInput

            objectName: "gunY"
            minValue: 0
            maxValue: GunRules.maxY
            txtInput.maximumLength: 2
            Accessible.name: aim.texts[5]
            onEndInputSignal: aim.yChosen(yInput.textValue)
        }
    }
}
