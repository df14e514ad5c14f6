import QtQuick
import modules.qml

// A box whose open part is a single row holding a slider.
Item {
    id: dropDown

    property bool isDrop: false
    property string textValue
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property color sliderBgColor: Theme.colorGray1
    property color sliderbarBg: Theme.colorPrimary
    property alias sliderControl: slider
    property int horizontalOffset: 0
    readonly property bool isAnimating: openAnim.running || closeAnim.running

    signal btnClick
    signal valueChange(int index)
    signal dragSignal(bool isDrag)

    function setValue(r: real): void {
        slider.setRatioValue(r);
    }

    function closeMenu(): void {
        isDrop = false;
    }

    // Space or Return opens and closes; the arrows work the slider while it shows.
    function keyPressed(event: var): void {
        const steps = { [Qt.Key_Left]: -1, [Qt.Key_Down]: -1, [Qt.Key_Right]: 1, [Qt.Key_Up]: 1 }[event.key];
        if (steps !== undefined && isDrop && !KeyFocus.keysCaptured) {
            event.accepted = true;
            slider.stepBy(steps);
            return;
        }
        if (event.key === Qt.Key_Escape && isDrop && !KeyFocus.keysCaptured) {
            event.accepted = true;
            closeMenu();
            return;
        }
        KeyFocus.press(event, dropDown, () => boxArea.toggle());
    }

    width: 144
    height: 24
    z: isDrop || isAnimating ? 100 : 0
    activeFocusOnTab: true
    Accessible.role: Accessible.ComboBox
    Accessible.name: objectName
    Accessible.description: textValue
    Accessible.focusable: true
    Accessible.onPressAction: if (dropDown.enabled) boxArea.toggle()
    Keys.onPressed: event => dropDown.keyPressed(event)

    Component.onCompleted: panel.y = isDrop ? 0 : -dropArea.height
    onIsDropChanged: {
        if (isDrop) {
            closeAnim.stop();
            openAnim.start();
        } else {
            openAnim.stop();
            closeAnim.start();
        }
    }

    FocusRing {
        height: box.height + 2 * gap
    }

    Rectangle {
        id: box

        objectName: "dropBox"
        width: dropDown.width
        height: 24
        radius: 2
        color: dropDown.bgColor
        border.width: 1
        border.color: boxArea.containsMouse || dropDown.isDrop ? Theme.colorPrimary : dropDown.borderColor
        Accessible.role: Accessible.Button
        Accessible.name: dropDown.textValue
        Accessible.onPressAction: boxArea.toggle()

        Text {
            anchors.centerIn: parent
            anchors.horizontalCenterOffset: dropDown.horizontalOffset
            width: Math.min(implicitWidth, box.width - 40)
            elide: Text.ElideRight
            text: dropDown.textValue
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }

        Image {
            objectName: "dropArrow"
            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            width: 10
            height: 6
            source: dropDown.isDrop ? Images.arrowUp : Images.arrowDown
            smooth: true
        }

        MouseArea {
            id: boxArea

            function toggle(): void {
                dropDown.btnClick();
                if (!dropDown.isAnimating)
                    dropDown.isDrop = !dropDown.isDrop;
            }

            anchors.fill: parent
            hoverEnabled: true
            onClicked: toggle()
        }
    }

    Item {
        id: dropArea

        objectName: "dropList"
        y: box.height
        width: dropDown.width
        height: 24
        clip: true
        visible: dropDown.isDrop || dropDown.isAnimating

        Rectangle {
            id: panel

            y: -dropArea.height
            width: dropArea.width
            height: dropArea.height
            color: dropDown.sliderBgColor
            border.width: 1
            border.color: dropDown.borderColor

            SliderButton {
                id: slider

                objectName: "dropSlider"
                x: 8
                anchors.verticalCenter: parent.verticalCenter
                width: panel.width - 16
                colorS: dropDown.sliderbarBg
                onValueChange: tmpValue => dropDown.valueChange(tmpValue)
                onDragSignal: isDrag => dropDown.dragSignal(isDrag)
            }
        }
    }

    NumberAnimation {
        id: openAnim

        target: panel
        property: "y"
        from: -dropArea.height
        to: 0
        duration: 180
        easing.type: Easing.OutQuad
    }

    NumberAnimation {
        id: closeAnim

        target: panel
        property: "y"
        to: -dropArea.height
        duration: 180
        easing.type: Easing.OutQuad
    }
}
