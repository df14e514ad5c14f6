pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The macro editor: the library's tree, the selected macro's actions and the
// recorder that fills them, side by side.
Item {
    id: page

    property var view: null
    readonly property var englishLang: ["Macro Editor", "Macro Name", "New", "Delete", "Action",
        "Stop Record", "Times", "OK", "Start Record", "Delay", "Delete", "Import", "Export",
        "Insert Delay", "Insert Key", "Insert Left Key", "Insert Middle Key", "Insert Right Key",
        "New macro directory", "New macro", "Batch Import", "Batch export", "Rename", "Press a key",
        " OK ", "Cancel", "Links are not imported:"]
    readonly property var englishWarnings: ["Warning",
        "Please keep a key at least for the left button function.",
        "Already have a macro with the same name!", "Can't add a new folder!", " OK ", "Cancel",
        "Delete", "Confirm delete ?"]
    property var macroEditorLang: englishLang
    property var warningAssigmentLang: []
    property Item overlayParent: null

    signal modifyMacroData(string name)
    signal deleteMacro(string name)
    signal modifyMacroName(int level, int type, string oldName, string newName)

    readonly property var shownTexts: Texts.shown(page.macroEditorLang, page.englishLang)
    readonly property var shownWarnings: Texts.shown(page.warningAssigmentLang,
                                                     page.englishWarnings)
    readonly property var actionLines: actionPanel.lines
    readonly property int repeatCount: actionPanel.repeat
    readonly property bool isInputting: recorder.recording
    readonly property bool isKeyCapture: actionPanel.isKeyCapture
    readonly property bool isDialogOpen: treePanel.isDialogOpen || actionPanel.isKeyCapture
    readonly property Item dialogParent: page.overlayParent ? page.overlayParent : page

    width: 576
    height: 520

    function init(): void {
        recorder.stop();
        page.closeFocus();
        treePanel.reload();
    }

    function closeFocus(): void {
        actionPanel.closeFocus();
        treePanel.closeMenu();
    }

    function detectKeyboard(isDown: bool, usbCode: int): void {
        recorder.record(usbCode, isDown);
    }

    function detectMouse(isDown: bool, buttonCode: int, x: int, y: int): void {
        recorder.recordMouse(isDown, buttonCode, x, y);
    }

    function detectInput(isDown: bool, usbCode: int): void {
        if (isDown)
            actionPanel.captureKey(usbCode);
    }

    Text {
        x: 24
        y: 8
        text: page.shownTexts[0]
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMaxSize
        font.bold: true
    }

    MacroTreePanel {
        id: treePanel

        objectName: "macroTreePanel"
        x: 24
        y: 40
        view: page.view
        texts: page.shownTexts
        warnings: page.shownWarnings
        dialogParent: page.dialogParent
        onLeaving: recorder.stop()
        onRowSelected: actionPanel.load()
        onDeleteMacro: function(name) { page.deleteMacro(name) }
        onModifyMacroName: function(level, type, oldName, newName) {
            page.modifyMacroName(level, type, oldName, newName)
        }
    }

    MacroActionPanel {
        id: actionPanel

        objectName: "macroActionPanel"
        x: 298
        y: 40
        view: page.view
        texts: page.shownTexts
        dialogParent: page.dialogParent
        macro: treePanel.selectedMacro
        // Under the action list, unless a long Delay label needs the room.
        timesIndent: Math.max(0, recorder.x + recorder.rowWidth + 24 - actionPanel.x)
        onLeaving: recorder.stop()
        onRefused: recorder.stop()
        onSaved: function(name) {
            if (!recorder.holdSave())
                page.modifyMacroData(name)
        }
    }

    MacroRecorder {
        id: recorder

        objectName: "macroRecorder"
        x: 24
        y: 468
        width: page.width - 48
        actions: actionPanel
        texts: page.shownTexts
        onStarting: page.closeFocus()
        onRecorded: function(name) { page.modifyMacroData(name) }
    }
}
