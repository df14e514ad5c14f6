pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The selected macro's actions and repeat count, with their menu and the key
// capture that inserts a key. Every change goes to the library at once,
// through saveMacroIni.
Item {
    id: panel

    property var view: null
    // The editor's texts, already in the shown language.
    property var texts: []
    property Item dialogParent: null
    // The tree entry of the selected macro, or null.
    property var macro: null
    // Where the repeat count stands, so that a long label beside it fits.
    property real timesIndent: 0

    property var lines: []
    property int repeat: 1
    property int selectedAction: -1

    readonly property bool hasMacro: panel.macro !== null
    readonly property bool isKeyCapture: keyCapture.visible

    // After a change the disk took; a refused one left the file as it was.
    signal saved(string name)
    signal refused()
    // Before the menu opens: a recording must end first.
    signal leaving()

    width: 254
    height: 450

    // The file's actions and count for the selected macro.
    function load(): void {
        panel.selectedAction = -1;
        if (panel.hasMacro) {
            const stored = MacroTree.loadMacro(panel.view, panel.macro);
            panel.lines = stored.lines;
            panel.repeat = stored.repeat;
        } else {
            panel.lines = [];
            panel.repeat = 1;
        }
        timesInput.textValue = String(panel.repeat);
    }

    // A save the disk refused (the store has said why) leaves the list, the
    // count and the mouse with what the file holds.
    function saveLines(newLines: var): bool {
        MacroTree.selectEntry(panel.view, panel.macro);
        if (!panel.view.saveMacroIni(panel.macro.level, panel.macro.textValue, newLines,
                                     panel.repeat)) {
            panel.load();
            panel.refused();
            return false;
        }
        panel.lines = newLines;
        panel.saved(panel.macro.textValue);
        return true;
    }

    function canAdd(): bool {
        return panel.hasMacro && MacroLogic.canAddAction(panel.lines);
    }

    function insertLines(at: int, added: var): bool {
        if (!panel.canAdd())
            return false;
        const next = panel.lines.slice();
        next.splice(at, 0, ...added);
        if (!panel.saveLines(next))
            return false;
        panel.selectedAction = at + added.length - 1;
        return true;
    }

    function lastOrNone(): bool {
        return panel.selectedAction < 0 || panel.selectedAction >= panel.lines.length - 1;
    }

    function insertDelay(): bool {
        const at = panel.selectedAction >= 0 ? panel.selectedAction : panel.lines.length;
        return panel.insertLines(at, [MacroLogic.delayLine(50)]);
    }

    function insertKey(usage: int): bool {
        const at = panel.lastOrNone() ? panel.lines.length : panel.selectedAction;
        return panel.insertLines(at, [MacroLogic.pressLine(usage, true),
                                      MacroLogic.pressLine(usage, false)]);
    }

    function insertButton(code: int): bool {
        const at = panel.lastOrNone() ? panel.lines.length : panel.selectedAction + 1;
        return panel.insertLines(at, [MacroLogic.pressLine(code, true),
                                      MacroLogic.pressLine(code, false)]);
    }

    function deleteAction(): void {
        if (!panel.hasMacro || panel.selectedAction < 0 || panel.selectedAction >= panel.lines.length)
            return;
        const next = panel.lines.slice();
        next.splice(panel.selectedAction, 1);
        if (panel.saveLines(next))
            panel.selectedAction = Math.min(panel.selectedAction, next.length - 1);
    }

    function setRepeat(text: string): void {
        const value = Math.max(1, Math.min(65535, parseInt(text) || 1));
        timesInput.textValue = String(value);
        if (!panel.hasMacro || value === panel.repeat)
            return;
        panel.repeat = value;
        panel.saveLines(panel.lines);
    }

    function showEnd(): void {
        actionList.positionViewAtEnd();
    }

    function captureKey(usbCode: int): void {
        keyCapture.keyPressed(usbCode);
    }

    function openMenu(item: Item, px: real, py: real): void {
        panel.leaving();
        const at = item.mapToItem(panel.dialogParent, px, py);
        actionMenu.openAt(at.x, at.y);
    }

    function closeFocus(): void {
        timesInput.closeFocus();
        actionMenu.close();
    }

    function actionChosen(key: string): void {
        if (key === "DeleteAction")
            panel.deleteAction();
        else if (key === "InsertDelay")
            panel.insertDelay();
        else if (key === "InsertKey")
            keyCapture.open(panel.texts[14]);
        else if (key === "InsertLeftKey")
            panel.insertButton(0xF0);
        else if (key === "InsertMiddleKey")
            panel.insertButton(0xF2);
        else if (key === "InsertRightKey")
            panel.insertButton(0xF1);
    }

    BoldCaption {
        y: 4
        text: panel.texts[4]
    }

    InsetPanel {
        id: actionBox

        y: 30
        width: panel.width
        height: 380

        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onClicked: function(mouse) {
                panel.selectedAction = -1;
                if (mouse.button === Qt.RightButton && panel.hasMacro)
                    panel.openMenu(actionBox, mouse.x, mouse.y);
            }
        }

        ListView {
            id: actionList

            objectName: "macroActions"
            anchors.fill: parent
            anchors.margins: 4
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: panel.lines
            Accessible.role: Accessible.List
            Accessible.name: panel.texts[4]

            delegate: Item {
                id: action

                required property var modelData
                required property int index
                readonly property bool selected: action.index === panel.selectedAction
                readonly property int type: MacroLogic.lineType(action.modelData)

                objectName: "macroAction" + action.index
                width: actionList.width
                height: 24
                Accessible.role: Accessible.ListItem
                Accessible.name: MacroLogic.lineText(action.modelData)
                Accessible.selectable: true
                Accessible.selected: action.selected
                Accessible.onPressAction: panel.selectedAction = action.index

                Rectangle {
                    anchors.fill: parent
                    color: action.selected ? Theme.colorGray1 : Theme.colorTransparent
                }
                Text {
                    x: 6
                    width: 34
                    anchors.verticalCenter: parent.verticalCenter
                    horizontalAlignment: Text.AlignRight
                    text: String(action.index + 1)
                    color: Theme.colorGray6
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontMinSize
                }
                Text {
                    x: action.type === 0 ? 52 : 72
                    anchors.verticalCenter: parent.verticalCenter
                    text: MacroLogic.lineText(action.modelData)
                    color: action.type === 0 ? Theme.colorGray2
                         : (action.type === 1 || action.type === 3) ? Theme.colorPrimary
                         : Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    anchors.fill: parent
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function(mouse) {
                        panel.selectedAction = action.index;
                        if (mouse.button === Qt.RightButton)
                            panel.openMenu(action, mouse.x, mouse.y);
                    }
                }
            }
        }

        // Where the list stands when it is longer than the panel.
        Rectangle {
            x: parent.width - 5
            width: 3
            radius: 1
            visible: actionList.contentHeight > actionList.height
            y: 4 + actionList.visibleArea.yPosition * (actionList.height)
            height: actionList.visibleArea.heightRatio * actionList.height
            color: Theme.colorGray6
        }
    }

    Row {
        x: panel.timesIndent
        y: 428
        spacing: 10

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: panel.texts[6]
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        RectInput {
            id: timesInput

            objectName: "macroTimes"
            anchors.verticalCenter: parent.verticalCenter
            width: 64
            minValue: 1
            maxValue: 65535
            textValue: "1"
            txtInput.maximumLength: 5
            enabled: panel.hasMacro
            Accessible.name: panel.texts[6]
            onEndInputSignal: panel.setRepeat(timesInput.txtInput.text)
        }
    }

    // ---- overlays, over the frame's dimmed mask ----

    MacroMenu {
        id: actionMenu

        objectName: "macroActionMenu"
        parent: panel.dialogParent
        entries: [
            { key: "DeleteAction", text: panel.texts[10], enabled: panel.selectedAction >= 0 },
            { key: "InsertDelay", text: panel.texts[13], enabled: panel.canAdd() },
            { key: "InsertKey", text: panel.texts[14], enabled: panel.canAdd() },
            { key: "InsertLeftKey", text: panel.texts[15], enabled: panel.canAdd() },
            { key: "InsertMiddleKey", text: panel.texts[16], enabled: panel.canAdd() },
            { key: "InsertRightKey", text: panel.texts[17], enabled: panel.canAdd() }
        ]
        onChosen: function(key) { panel.actionChosen(key) }
    }

    MacroKeyCapture {
        id: keyCapture

        objectName: "macroKeyCapture"
        parent: panel.dialogParent
        z: 30
        promptText: panel.texts[23]
        okText: panel.texts[24]
        cancelText: panel.texts[25]
        onAccepted: function(usage) { panel.insertKey(usage) }
    }
}
