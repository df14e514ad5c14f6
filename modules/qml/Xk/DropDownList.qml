pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// A box showing the current choice; a click slides `count` rows of mdItems
// out below it. A chosen row is reported once the list has closed again.
Item {
    id: dropDown

    property bool isDrop: false
    property int count: 0
    property ListModel mdItems: ListModel {}
    property int currentSelect: 2
    property string textValue
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    readonly property bool isAnimating: openAnim.running || closeAnim.running

    signal btnClick
    signal valueChange(int index)
    signal btnContainMS(int index)
    signal dragSignal(bool isDrag)

    function closeMenu(): void {
        if (isDrop && !isAnimating)
            isDrop = false;
    }

    function choose(row: int): void {
        if (isAnimating)
            return;
        currentSelect = row;
        d.chosenRow = row;
        isDrop = false;
    }

    // Up and Down move the choice of a closed list at once; in an open list
    // they move the marked row, which Space or Return then chooses.
    function keyPressed(event: var): void {
        const down = event.key === Qt.Key_Down;
        if ((down || event.key === Qt.Key_Up) && !KeyFocus.keysCaptured) {
            event.accepted = true;
            const last = mdItems.count - 1;
            if (isDrop) {
                d.keyRow = Math.max(0, Math.min(last, (d.keyRow < 0 ? currentSelect : d.keyRow) + (down ? 1 : -1)));
                rows.positionViewAtIndex(d.keyRow, ListView.Contain);
            } else if (!isAnimating) {
                const row = Math.max(0, Math.min(last, currentSelect + (down ? 1 : -1)));
                if (row !== currentSelect) {
                    currentSelect = row;
                    valueChange(row);
                }
            }
            return;
        }
        KeyFocus.dropDownKey(event, dropDown, d.keyRow, row => d.keyRow = row);
    }

    function toggle(): void {
        boxArea.toggle();
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
    onActiveFocusChanged: if (!activeFocus) closeMenu()

    Component.onCompleted: panel.y = isDrop ? 0 : -dropArea.height
    onIsDropChanged: {
        d.keyRow = -1;
        if (isDrop) {
            closeAnim.stop();
            d.chosenRow = -1;
            openAnim.start();
        } else {
            openAnim.stop();
            closeAnim.start();
        }
    }

    FocusRing {
        height: box.height + 2 * gap
    }

    QtObject {
        id: d

        property int chosenRow: -1
        property int keyRow: -1
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
        height: dropDown.count * 24
        clip: true
        visible: dropDown.isDrop || dropDown.isAnimating

        Rectangle {
            id: panel

            y: -dropArea.height
            width: dropArea.width
            height: dropArea.height
            color: Theme.colorGray1
            border.width: 1
            border.color: dropDown.borderColor

            ListView {
                id: rows

                anchors.fill: parent
                // Rows only while shown: a closed list holds no texts, and
                // the language list no faces of scripts not in use.
                model: dropArea.visible ? dropDown.mdItems : null
                interactive: rows.count > dropDown.count
                boundsBehavior: Flickable.StopAtBounds
                onMovementStarted: dropDown.dragSignal(true)
                onMovementEnded: dropDown.dragSignal(false)

                delegate: Rectangle {
                    id: row

                    required property int index
                    required property string textValue
                    readonly property bool isCurrent: index === dropDown.currentSelect

                    objectName: "row" + index
                    width: rows.width
                    height: 24
                    readonly property bool isMarked: rowArea.containsMouse || index === d.keyRow

                    color: isMarked ? Theme.colorPrimary : isCurrent ? dropDown.bgColor : Theme.colorGray1
                    Accessible.role: Accessible.ListItem
                    Accessible.name: textValue
                    Accessible.selected: isCurrent
                    Accessible.onPressAction: dropDown.choose(index)

                    Text {
                        anchors.centerIn: parent
                        anchors.horizontalCenterOffset: dropDown.horizontalOffset
                        text: row.textValue
                        color: row.isMarked ? Theme.colorGray0 : row.isCurrent ? Theme.colorPrimary : Theme.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }

                    MouseArea {
                        id: rowArea

                        width: row.width - 15
                        height: row.height
                        hoverEnabled: true
                        onEntered: dropDown.btnContainMS(row.index)
                        onExited: dropDown.btnContainMS(row.index)
                        onClicked: dropDown.choose(row.index)
                    }
                }
            }

            Rectangle {
                x: panel.width - 5
                y: rows.visibleArea.yPosition * rows.height
                width: 3
                height: rows.visibleArea.heightRatio * rows.height
                radius: 1
                visible: rows.interactive
                color: Theme.colorGray6
            }
        }
    }

    NumberAnimation {
        id: openAnim

        target: panel
        property: "y"
        from: -dropArea.height
        to: 0
        duration: SceneLogic.dropDownDuration(dropDown.count)
        easing.type: Easing.OutQuad
    }

    NumberAnimation {
        id: closeAnim

        target: panel
        property: "y"
        to: -dropArea.height
        duration: SceneLogic.dropDownDuration(dropDown.count)
        easing.type: Easing.OutQuad
        onFinished: {
            const row = d.chosenRow;
            d.chosenRow = -1;
            if (row >= 0)
                dropDown.valueChange(row);
        }
    }
}
