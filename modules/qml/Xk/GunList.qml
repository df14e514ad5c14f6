pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The three slots and the six guns, each row marked with the slots that carry
// it. A double click renames a gun in place.
Item {
    id: list

    required property ListModel guns
    // The gun editor's texts, already in the shown language.
    property var texts: []
    // Gun list positions of the three slots.
    property var selectGun: [0, 1, 2]
    property int currentSlot: 0
    property int currentGun: 0
    property int renameIndex: -1

    readonly property int pitch: 56

    signal slotChosen(int slot)
    signal gunChosen(int gun)
    signal renameStarting()
    signal renamed(int gun, string text)

    width: 350
    height: listArea.y + listArea.height

    // The radio buttons keep their own state once clicked.
    function showSlots(): void {
        slot0.isSelect = list.currentSlot === 0;
        slot1.isSelect = list.currentSlot === 1;
        slot2.isSelect = list.currentSlot === 2;
    }

    function startRename(gun: int): void {
        list.renameStarting();
        list.renameIndex = gun;
        nameInput.text = String(list.guns.get(gun).gunName);
        nameInput.forceActiveFocus();
        nameInput.selectAll();
    }

    function finishRename(accept: bool): void {
        const gun = list.renameIndex;
        if (gun < 0)
            return;
        list.renameIndex = -1;
        nameInput.focus = false;
        if (accept)
            list.renamed(gun, nameInput.text);
    }

    component SlotChoice: RadioButton {
        required property int slot

        objectName: "gunSlot" + slot
        index: slot
        Accessible.name: textValue
    }

    BarTitle {
        text: list.texts[2]
    }

    Row {
        y: 30
        spacing: 28

        SlotChoice {
            id: slot0
            slot: 0
            textValue: list.texts[1] + "1"
            onBtnClick: list.slotChosen(0)
        }
        SlotChoice {
            id: slot1
            slot: 1
            textValue: list.texts[1] + "2"
            onBtnClick: list.slotChosen(1)
        }
        SlotChoice {
            id: slot2
            slot: 2
            textValue: list.texts[1] + "3"
            onBtnClick: list.slotChosen(2)
        }
    }

    Item {
        id: listArea

        y: 56
        width: list.width
        height: list.guns.count * list.pitch

        Repeater {
            model: list.guns

            Rectangle {
                id: row

                required property int index
                required property string gunName
                required property string gunImage
                readonly property bool isCurrent: index === list.currentGun

                objectName: "gunRow" + index
                y: index * list.pitch
                width: listArea.width
                height: 54
                radius: 3
                color: row.isCurrent ? Theme.colorGray1
                                     : rowArea.containsMouse ? Theme.panelBorder : Theme.colorTransparent
                border.width: row.isCurrent ? 1 : 0
                border.color: Theme.colorPrimary
                Accessible.role: Accessible.ListItem
                Accessible.name: row.gunName
                Accessible.selected: row.isCurrent
                Accessible.onPressAction: list.gunChosen(row.index)

                Image {
                    x: 8
                    anchors.verticalCenter: parent.verticalCenter
                    width: 120
                    height: 48
                    source: row.gunImage
                    sourceSize.width: 240
                    sourceSize.height: 96
                    fillMode: Image.PreserveAspectFit
                    smooth: true
                }

                Text {
                    objectName: "gunRowName"
                    x: 140
                    width: 120
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.gunName
                    elide: Text.ElideRight
                    color: row.isCurrent || rowArea.containsMouse ? Theme.colorPrimary : Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }

                // Which slots carry this gun; the current slot's mark is lit.
                Row {
                    anchors.right: parent.right
                    anchors.rightMargin: 10
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 4

                    Repeater {
                        model: 3

                        Rectangle {
                            id: mark

                            required property int index

                            visible: list.selectGun[mark.index] === row.index
                            width: 18
                            height: 16
                            radius: 2
                            color: mark.index === list.currentSlot ? Theme.colorPrimary : Theme.colorGray6

                            Text {
                                anchors.centerIn: parent
                                text: String(mark.index + 1)
                                color: Theme.colorGray0
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontMinSize
                            }
                        }
                    }
                }

                MouseArea {
                    id: rowArea

                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: list.gunChosen(row.index)
                    onDoubleClicked: list.startRename(row.index)
                }
            }
        }

        // Opened over the name of the gun being renamed.
        Rectangle {
            objectName: "gunNameBox"
            x: 136
            y: list.renameIndex * list.pitch + 15
            width: 130
            height: 24
            radius: 2
            visible: list.renameIndex >= 0
            color: Theme.colorGray0
            border.width: 1
            border.color: Theme.colorPrimary

            TextInput {
                id: nameInput

                objectName: "gunName"
                anchors.fill: parent
                anchors.leftMargin: 4
                anchors.rightMargin: 4
                verticalAlignment: TextInput.AlignVCenter
                maximumLength: 20
                selectByMouse: true
                clip: true
                color: Theme.fontColor
                selectionColor: Theme.colorPrimary
                selectedTextColor: Theme.colorGray0
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                Accessible.role: Accessible.EditableText
                Accessible.name: "Gun name"
                Keys.onReturnPressed: list.finishRename(true)
                Keys.onEnterPressed: list.finishRename(true)
                Keys.onEscapePressed: list.finishRename(false)
                onActiveFocusChanged: if (!activeFocus) list.finishRename(true)
            }
        }
    }
}
