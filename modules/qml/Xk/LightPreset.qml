pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The lighting presets of the profile: a click makes a preset active, a
// double-click renames it. The page owns the presets; this panel only shows
// them and reports what the user asked for.
DialogFrame {
    id: panel

    property var names: []
    property int activeIndex: 0
    property int maxCount: 4
    property string newText: "New"
    property string deleteText: "Delete"
    property string confirmText: "Confirm"
    // Row whose name is being edited, -1 when none, and what it holds now.
    property int editIndex: -1
    property string editText

    signal presetClicked(int index)
    signal renameRequested(int index, string name)
    signal newClicked
    signal deleteClicked
    signal confirmClicked

    width: 360
    height: 96 + 4 * 34
    okButton: confirmButton
    cancelButton: confirmButton

    // Rows are kept and relabelled rather than rebuilt, so a row never
    // vanishes under the pointer when the list changes.
    onNamesChanged: {
        for (let i = 0; i < panel.names.length; ++i) {
            if (i < rowModel.count)
                rowModel.setProperty(i, "name", String(panel.names[i]))
            else
                rowModel.append({ name: String(panel.names[i]) })
        }
        if (rowModel.count > panel.names.length)
            rowModel.remove(panel.names.length, rowModel.count - panel.names.length)
    }
    Component.onCompleted: panel.namesChanged()

    ListModel {
        id: rowModel
    }

    function startRename(index: int) {
        panel.editIndex = index
    }

    // Ends a rename in progress; what was typed is offered to the page.
    function closeFocus() {
        if (panel.editIndex < 0)
            return
        const index = panel.editIndex
        panel.editIndex = -1
        panel.renameRequested(index, panel.editText)
    }

    component PresetRow: Rectangle {
        id: row

        required property int index
        required property string name
        readonly property bool isActive: index === panel.activeIndex
        readonly property bool isEditing: index === panel.editIndex

        objectName: "lightPreset" + index
        y: index * 34
        width: panel.width - 40
        height: 30
        radius: 3
        color: rowArea.containsMouse ? Theme.colorGray1 : Theme.colorGray0
        border.width: 1
        border.color: row.isActive ? Theme.colorPrimary : Theme.panelBorder
        Accessible.role: Accessible.ListItem
        Accessible.name: row.name
        Accessible.selected: row.isActive
        Accessible.onPressAction: panel.presetClicked(row.index)

        Text {
            anchors.verticalCenter: parent.verticalCenter
            x: 12
            width: row.width - 24
            elide: Text.ElideRight
            visible: !row.isEditing
            text: row.name
            color: row.isActive ? Theme.colorPrimary : Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }

        MouseArea {
            id: rowArea
            anchors.fill: parent
            hoverEnabled: true
            enabled: !row.isEditing
            onClicked: panel.presetClicked(row.index)
            // A double-click's first click has made the row active; a second
            // press that Qt pairs with a click elsewhere only selects.
            onDoubleClicked: {
                if (row.isActive)
                    panel.startRename(row.index)
                else
                    panel.presetClicked(row.index)
            }
        }

        TextInput {
            id: editor
            objectName: "lightPresetEdit"
            anchors.verticalCenter: parent.verticalCenter
            x: 12
            width: row.width - 24
            visible: row.isEditing
            maximumLength: 20
            clip: true
            selectByMouse: true
            color: Theme.fontColor
            selectionColor: Theme.colorPrimary
            selectedTextColor: Theme.colorGray0
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            Accessible.role: Accessible.EditableText
            Accessible.name: "Preset name"

            onTextChanged: {
                if (row.isEditing)
                    panel.editText = editor.text
            }
            onVisibleChanged: {
                if (visible) {
                    editor.text = row.name
                    panel.editText = row.name
                    editor.selectAll()
                    editor.forceActiveFocus()
                }
            }
            Keys.onReturnPressed: panel.closeFocus()
            Keys.onEnterPressed: panel.closeFocus()
            Keys.onEscapePressed: {
                editor.text = row.name
                panel.closeFocus()
            }
        }
    }

    // Rows are placed by their index, not by a positioner, so they stand in
    // place as soon as they exist.
    Item {
        x: 20
        y: 44

        Repeater {
            model: rowModel
            delegate: PresetRow {}
        }
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: 16
        anchors.bottomMargin: 12
        spacing: 16

        TextButton {
            objectName: "lightPresetNew"
            text: panel.newText
            framed: true
            enabled: panel.names.length < panel.maxCount
            Accessible.name: "New lighting preset"
            onClicked: panel.newClicked()
        }
        TextButton {
            objectName: "lightPresetDelete"
            text: panel.deleteText
            framed: true
            enabled: panel.names.length > 1
            Accessible.name: "Delete the active lighting preset"
            onClicked: panel.deleteClicked()
        }
        TextButton {
            id: confirmButton

            objectName: "lightPresetConfirm"
            text: panel.confirmText
            framed: true
            Accessible.name: "Keep the lighting presets"
            onClicked: panel.confirmClicked()
        }
    }
}
