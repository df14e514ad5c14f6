pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// A box whose open part is a grid of three columns, three boxes wide.
// Empty entries only close the grid.
Item {
    id: dropDown

    property bool isDrop: false
    property ListModel mdItems: ListModel {}
    property int count: mdItems ? mdItems.count : 0
    property int currentSelect: 0
    property string textValue
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    readonly property int rowCount: Math.ceil(count / 3)
    readonly property bool isAnimating: openAnim.running || closeAnim.running

    signal btnClick
    signal valueChange(int index)

    function closeMenu(): void {
        if (isDrop && !isAnimating)
            isDrop = false;
    }

    // Closed, Up and Down step to the neighbouring entry that has a text;
    // open, the arrows move the marked cell, which Space or Return chooses.
    function keyPressed(event: var): void {
        const moves = { [Qt.Key_Left]: -1, [Qt.Key_Right]: 1, [Qt.Key_Up]: isDrop ? -3 : -1,
                        [Qt.Key_Down]: isDrop ? 3 : 1 };
        const move = moves[event.key];
        if (move !== undefined && !KeyFocus.keysCaptured) {
            event.accepted = true;
            if (isAnimating)
                return;
            let cell = isDrop && d.keyCell >= 0 ? d.keyCell : currentSelect;
            do
                cell += move;
            while (cell >= 0 && cell < count && mdItems.get(cell).textValue === "");
            if (cell < 0 || cell >= count)
                return;
            if (isDrop) {
                d.keyCell = cell;
            } else if (event.key === Qt.Key_Up || event.key === Qt.Key_Down) {
                currentSelect = cell;
                valueChange(cell);
            }
            return;
        }
        KeyFocus.dropDownKey(event, dropDown, d.keyCell, cell => d.keyCell = cell);
    }

    function toggle(): void {
        boxArea.toggle();
    }

    function choose(cell: int): void {
        if (isAnimating)
            return;
        btnClick();
        if (mdItems.get(cell).textValue !== "") {
            currentSelect = cell;
            d.chosenCell = cell;
        }
        isDrop = false;
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
        d.keyCell = -1;
        if (isDrop) {
            closeAnim.stop();
            d.chosenCell = -1;
            openAnim.start();
        } else {
            openAnim.stop();
            closeAnim.start();
        }
    }

    QtObject {
        id: d

        property int chosenCell: -1
        property int keyCell: -1
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
        width: 3 * dropDown.width
        height: dropDown.rowCount * 24
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

            Grid {
                columns: 3

                Repeater {
                    // Cells only while shown, as in the plain list.
                    model: dropArea.visible ? dropDown.mdItems : null

                    Rectangle {
                        id: cell

                        required property int index
                        required property string textValue
                        readonly property bool isCurrent: index === dropDown.currentSelect
                        readonly property bool isHovered: (cellArea.containsMouse || index === d.keyCell) && textValue !== ""

                        objectName: "row" + index
                        width: dropDown.width
                        height: 24
                        color: isHovered ? Theme.colorPrimary : isCurrent ? dropDown.bgColor : Theme.colorGray1
                        Accessible.role: Accessible.Cell
                        Accessible.name: textValue
                        Accessible.selected: isCurrent
                        Accessible.onPressAction: dropDown.choose(index)

                        Text {
                            anchors.centerIn: parent
                            anchors.horizontalCenterOffset: dropDown.horizontalOffset
                            text: cell.textValue
                            color: cell.isHovered ? Theme.colorGray0 : cell.isCurrent ? Theme.colorPrimary : Theme.fontColor
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontNormalSize
                        }

                        MouseArea {
                            id: cellArea

                            anchors.fill: parent
                            hoverEnabled: true
                            onClicked: dropDown.choose(cell.index)
                        }
                    }
                }
            }
        }
    }

    NumberAnimation {
        id: openAnim

        target: panel
        property: "y"
        from: -dropArea.height
        to: 0
        duration: SceneLogic.dropDownDuration(dropDown.rowCount)
        easing.type: Easing.OutQuad
    }

    NumberAnimation {
        id: closeAnim

        target: panel
        property: "y"
        to: -dropArea.height
        duration: SceneLogic.dropDownDuration(dropDown.rowCount)
        easing.type: Easing.OutQuad
        onFinished: {
            const cell = d.chosenCell;
            d.chosenCell = -1;
            if (cell >= 0)
                dropDown.valueChange(cell);
        }
    }
}
