pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The macro library as a tree of folders and macros, and the action list of
// the selected macro. Every change goes to the library at once: the tree's
// name lists through updataMacroList, the actions through saveMacroIni.
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

    // The flat, pre-ordered tree (MacroTree entries) and the selected row.
    property var tree: []
    property int selectedIndex: -1
    property var lines: []
    property int repeat: 1
    property int selectedAction: -1
    property bool recording: false
    property bool recordedUnsent: false
    // 10 ms ticks since the last recorded action, and when that was.
    property int ticks: 0
    property real tickStart: 0
    // What the name dialog was opened for: "newMacro", "newFolder" or "rename".
    property string pendingName: ""

    readonly property var actionLines: page.lines
    readonly property int repeatCount: page.repeat
    readonly property bool isInputting: page.recording
    readonly property bool isKeyCapture: keyCapture.visible
    readonly property bool isDialogOpen: nameDialog.visible || warningBox.visible
                                         || confirmBox.visible || keyCapture.visible
    readonly property bool hasMacro: page.selectedIndex >= 0
                                     && page.selectedIndex < page.tree.length
                                     && page.tree[page.selectedIndex].macroType === 0
    readonly property bool hasFolder: page.selectedIndex >= 0
                                      && page.selectedIndex < page.tree.length
                                      && page.tree[page.selectedIndex].macroType === 1
    readonly property Item dialogParent: page.overlayParent ? page.overlayParent : page

    width: 576
    height: 520

    function label(i: int): string {
        const text = page.macroEditorLang ? page.macroEditorLang[i] : undefined;
        return text ? String(text) : page.englishLang[i];
    }

    function warningText(i: int): string {
        const text = page.warningAssigmentLang ? page.warningAssigmentLang[i] : undefined;
        return text ? String(text) : page.englishWarnings[i];
    }

    // ---- the tree ----

    function init(): void {
        page.stopRecord();
        page.closeFocus();
        const old = page.selectedIndex >= 0 && page.selectedIndex < page.tree.length
                  ? page.tree[page.selectedIndex] : null;
        page.tree = MacroTree.readTree(page.view);
        let again = -1;
        if (old) {
            const key = old.path.concat([old.textValue]).join("/");
            again = page.tree.findIndex(e => e.level === old.level
                                        && e.path.concat([e.textValue]).join("/") === key);
        }
        page.selectRow(again);
    }

    function selectRow(index: int): void {
        if (page.recording)
            page.stopRecord();
        page.selectedIndex = index >= 0 && index < page.tree.length ? index : -1;
        page.selectedAction = -1;
        if (page.hasMacro) {
            const macro = MacroTree.loadMacro(page.view, page.tree[page.selectedIndex]);
            page.lines = macro.lines;
            page.repeat = macro.repeat;
        } else {
            page.lines = [];
            page.repeat = 1;
        }
        timesInput.textValue = String(page.repeat);
    }

    function warn(i: int): void {
        warningBox.open(page.warningText(i));
    }

    // The folder new entries go into: the selected folder, the folder of the
    // selected macro, else the root (-1).
    function targetContainer(): int {
        if (page.hasFolder)
            return page.selectedIndex;
        if (page.hasMacro)
            return MacroTree.parentIndex(page.tree, page.selectedIndex);
        return -1;
    }

    function addEntry(name: string, macroType: int): bool {
        const trimmed = String(name).trim();
        if (trimmed.length === 0)
            return false;
        const tree = page.tree.slice();
        const parent = page.targetContainer();
        const level = parent < 0 ? 0 : tree[parent].level + 1;
        if (macroType === 1 && level > 4) {
            page.warn(3);
            return false;
        }
        if (MacroTree.nameTaken(tree, parent, trimmed)) {
            page.warn(2);
            return false;
        }
        const containerPath = parent < 0 ? [] : tree[parent].path.concat([tree[parent].textValue]);
        MacroTree.selectPath(page.view, containerPath, level);
        // What the disk did not take is not listed; the store has said why.
        if (!page.view.createMacroIni(trimmed, MacroTree.childIndices(tree, parent).length, level,
                                      macroType))
            return false;
        const at = parent < 0 ? tree.length : MacroTree.subtreeEnd(tree, parent);
        tree.splice(at, 0, MacroTree.makeEntry(trimmed, macroType, level));
        MacroTree.normalize(tree);
        // At the root the store clears no group by itself; a folder that once
        // had this name may have left its lists behind.
        if (macroType === 1 && parent < 0)
            page.view.updataMacroList_delOld(trimmed);
        MacroTree.writeContainer(page.view, tree, parent, 0, trimmed);
        page.tree = tree;
        page.selectRow(at);
        return true;
    }

    function newMacro(name: string): bool {
        return page.addEntry(name, 0);
    }

    function newFolder(name: string): bool {
        return page.addEntry(name, 1);
    }

    function renameSelected(name: string): bool {
        const newName = String(name).trim();
        if (page.selectedIndex < 0 || newName.length === 0)
            return false;
        const tree = page.tree.slice();
        const index = page.selectedIndex;
        const entry = tree[index];
        const oldName = entry.textValue;
        if (newName === oldName)
            return true;
        const parent = MacroTree.parentIndex(tree, index);
        if (MacroTree.nameTaken(tree, parent, newName)) {
            page.warn(2);
            return false;
        }
        page.stopRecord();
        // Every group below the top folder carries the old names; clear them
        // while the folders still have them on disk, then write them anew.
        const top = MacroTree.topFolder(tree, index);
        if (top >= 0) {
            MacroTree.selectPath(page.view, [], 0);
            page.view.searchMacroFile_sub_batch(tree[top].textValue, 0, 0);
        }
        // The frame renames the file or folder and the buttons bound to it.
        MacroTree.selectEntry(page.view, entry);
        page.modifyMacroName(entry.level, entry.macroType, oldName, newName);
        tree[index] = MacroTree.makeEntry(newName, entry.macroType, entry.level);
        MacroTree.normalize(tree);
        MacroTree.writeContainer(page.view, tree, parent, 1, "");
        if (top >= 0)
            MacroTree.writeSubtree(page.view, tree, top);
        page.tree = tree;
        page.selectedIndex = index;
        return true;
    }

    function deleteSelected(): bool {
        if (page.selectedIndex < 0)
            return false;
        page.stopRecord();
        const tree = page.tree.slice();
        const index = page.selectedIndex;
        const entry = tree[index];
        const top = MacroTree.topFolder(tree, index);
        if (top >= 0) {
            MacroTree.selectPath(page.view, [], 0);
            page.view.searchMacroFile_sub_batch(tree[top].textValue, 0, entry.level);
        }
        MacroTree.selectEntry(page.view, entry);
        page.view.deleteMacroIni(entry.level, entry.macroType, entry.textValue);
        const removed = MacroTree.macrosIn(tree, index);
        const parent = MacroTree.parentIndex(tree, index);
        tree.splice(index, MacroTree.subtreeEnd(tree, index) - index);
        MacroTree.normalize(tree);
        MacroTree.writeContainer(page.view, tree, parent, 0, entry.textValue);
        // The walk above cleared the groups at the entry's depth and below in
        // the whole top folder, the entry's siblings' too.
        if (top >= 0 && top !== index)
            MacroTree.writeSubtree(page.view, tree, top);
        page.tree = tree;
        page.selectRow(-1);
        for (const name of removed)
            page.deleteMacro(name);
        return true;
    }

    function importMacro(): bool {
        const tree = page.tree.slice();
        const parent = page.hasFolder ? page.selectedIndex : -1;
        let name = "";
        if (parent >= 0) {
            const folder = tree[parent];
            MacroTree.selectPath(page.view, folder.path.concat([folder.textValue]), folder.level + 1);
            name = page.view.loadMacroFile(folder.level, 1);
        } else {
            name = page.view.loadMacroFile(0, 0);
        }
        if (!name)
            return false;
        // The store never overwrites a library file, so an existing macro of
        // that name kept its own actions: listing the name again would only
        // show the same file twice.
        if (MacroTree.nameTaken(tree, parent, name)) {
            page.warn(2);
            return false;
        }
        const level = parent < 0 ? 0 : tree[parent].level + 1;
        const at = parent < 0 ? tree.length : MacroTree.subtreeEnd(tree, parent);
        tree.splice(at, 0, MacroTree.makeEntry(name, 0, level));
        MacroTree.normalize(tree);
        MacroTree.writeContainer(page.view, tree, parent, 0, name);
        page.tree = tree;
        page.selectRow(at);
        return true;
    }

    function exportMacro(): void {
        if (!page.hasMacro)
            return;
        const entry = page.tree[page.selectedIndex];
        MacroTree.selectEntry(page.view, entry);
        page.view.saveMacroFile(entry.level, entry.textValue);
    }

    function batchImport(): bool {
        const name = page.view.loadMacroFile_batch();
        if (!name)
            return false;
        const tree = page.tree.slice();
        // The chosen folder's files were not copied yet; refusing here leaves
        // the existing entry of that name untouched.
        if (MacroTree.nameTaken(tree, -1, name)) {
            page.warn(2);
            return false;
        }
        page.view.loadMacroFile_sub_batch();
        const below = MacroTree.entriesBelow(page.view, [], name, true);
        const at = tree.length;
        tree.push(MacroTree.makeEntry(name, 1, 0));
        for (const e of below)
            tree.push(e);
        MacroTree.normalize(tree);
        page.view.updataMacroList_delOld(name);
        MacroTree.writeContainer(page.view, tree, -1, 0, name);
        MacroTree.writeSubtree(page.view, tree, at);
        page.tree = tree;
        page.selectRow(at);
        // Links in the chosen folder could lead anywhere on the system.
        const skipped = page.view.getSkippedLinks_batch ? page.view.getSkippedLinks_batch() : [];
        if (skipped.length > 0)
            warningBox.open(page.label(26) + " " + skipped.join(", "));
        return true;
    }

    function exportContainer(tree: var, parent: int): void {
        const path = parent < 0 ? [] : tree[parent].path.concat([tree[parent].textValue]);
        const names = [];
        const types = [];
        for (const i of MacroTree.childIndices(tree, parent)) {
            names.push(tree[i].textValue);
            types.push(tree[i].macroType);
        }
        MacroTree.selectPath(page.view, path, path.length);
        page.view.saveMacroFile_batch(path.length, names, types);
    }

    // The selected folder with everything below it, or the whole library.
    // Containers go out from the top down so each directory exists before
    // its contents are copied.
    function batchExport(): void {
        const tree = page.tree;
        page.view.getbatchPath();
        if (!page.hasFolder) {
            page.exportContainer(tree, -1);
            for (let i = 0; i < tree.length; ++i) {
                if (tree[i].macroType === 1)
                    page.exportContainer(tree, i);
            }
            return;
        }
        const folder = tree[page.selectedIndex];
        const chain = folder.path.concat([folder.textValue]);
        for (let k = 0; k < chain.length; ++k) {
            MacroTree.selectPath(page.view, chain.slice(0, k), k);
            page.view.saveMacroFile_batch(k, [chain[k]], [1]);
        }
        const end = MacroTree.subtreeEnd(tree, page.selectedIndex);
        for (let j = page.selectedIndex; j < end; ++j) {
            if (tree[j].macroType === 1)
                page.exportContainer(tree, j);
        }
    }

    // ---- the action list ----

    // While recording, the file follows every event but the mouse gets the
    // macro once, at Stop: a re-send per key would keep the mouse busy.
    // A save the disk refused (the store has said why) leaves the list, the
    // count and the mouse with what the file holds, and ends a recording.
    function saveLines(newLines: var): bool {
        const entry = page.tree[page.selectedIndex];
        MacroTree.selectEntry(page.view, entry);
        if (!page.view.saveMacroIni(entry.level, entry.textValue, newLines, page.repeat)) {
            page.selectRow(page.selectedIndex);
            return false;
        }
        page.lines = newLines;
        if (page.recording)
            page.recordedUnsent = true;
        else
            page.modifyMacroData(entry.textValue);
        return true;
    }

    function canAdd(): bool {
        return page.hasMacro && MacroLogic.canAddAction(page.lines);
    }

    function insertLines(at: int, added: var): bool {
        if (!page.canAdd())
            return false;
        const next = page.lines.slice();
        next.splice(at, 0, ...added);
        if (!page.saveLines(next))
            return false;
        page.selectedAction = at + added.length - 1;
        return true;
    }

    function lastOrNone(): bool {
        return page.selectedAction < 0 || page.selectedAction >= page.lines.length - 1;
    }

    function insertDelay(): bool {
        const at = page.selectedAction >= 0 ? page.selectedAction : page.lines.length;
        return page.insertLines(at, [MacroLogic.delayLine(50)]);
    }

    function insertKey(usage: int): bool {
        const at = page.lastOrNone() ? page.lines.length : page.selectedAction;
        return page.insertLines(at, [MacroLogic.pressLine(usage, true),
                                     MacroLogic.pressLine(usage, false)]);
    }

    function insertButton(code: int): bool {
        const at = page.lastOrNone() ? page.lines.length : page.selectedAction + 1;
        return page.insertLines(at, [MacroLogic.pressLine(code, true),
                                     MacroLogic.pressLine(code, false)]);
    }

    function deleteAction(): void {
        if (!page.hasMacro || page.selectedAction < 0 || page.selectedAction >= page.lines.length)
            return;
        const next = page.lines.slice();
        next.splice(page.selectedAction, 1);
        if (page.saveLines(next))
            page.selectedAction = Math.min(page.selectedAction, next.length - 1);
    }

    function setRepeat(text: string): void {
        const value = Math.max(1, Math.min(65535, parseInt(text) || 1));
        timesInput.textValue = String(value);
        if (!page.hasMacro || value === page.repeat)
            return;
        page.repeat = value;
        page.saveLines(page.lines);
    }

    // ---- recording ----

    function startRecord(): bool {
        if (!page.hasMacro)
            return false;
        page.closeFocus();
        page.restartTicks();
        page.recording = true;
        return true;
    }

    function restartTicks(): void {
        page.ticks = 0;
        page.tickStart = Date.now();
        recordTick.restart();
    }

    // The tick timer of a scene that draws nothing may fire late or not at
    // all (its timers follow the frames), so the count comes from the clock.
    function countTicks(): void {
        page.ticks = Math.floor((Date.now() - page.tickStart) / 10);
    }

    function stopRecord(): void {
        recordTick.stop();
        page.recording = false;
        if (page.recordedUnsent && page.hasMacro)
            page.modifyMacroData(page.tree[page.selectedIndex].textValue);
        page.recordedUnsent = false;
    }

    function record(usage: int, isDown: bool): void {
        if (!page.recording || !page.canAdd())
            return;
        const next = page.lines.slice();
        page.countTicks();
        if (next.length > 0 && delayBox.isSelect)
            next.push(MacroLogic.delayLine(page.ticks * 10));
        page.restartTicks();
        next.push(MacroLogic.pressLine(usage, isDown));
        if (page.saveLines(next))
            actionList.positionViewAtEnd();
    }

    function detectKeyboard(isDown: bool, usbCode: int): void {
        page.record(usbCode, isDown);
    }

    // Screen coordinates; a click on Kairo itself (Stop Record above all)
    // belongs to the editing, not to the macro.
    function detectMouse(isDown: bool, buttonCode: int, x: int, y: int): void {
        if (buttonCode < 0xF0 || buttonCode > 0xF2 || page.insideWindow(x, y))
            return;
        page.record(buttonCode, isDown);
    }

    // The window's own size: its content item may keep the first size.
    function insideWindow(x: int, y: int): bool {
        const win = page.Window.window;
        if (!win)
            return false;
        const origin = win.contentItem.mapToGlobal(0, 0);
        return x >= origin.x && y >= origin.y && x < origin.x + win.width
            && y < origin.y + win.height;
    }

    function detectInput(isDown: bool, usbCode: int): void {
        if (isDown)
            keyCapture.keyPressed(usbCode);
    }

    function closeFocus(): void {
        timesInput.closeFocus();
        treeMenu.close();
        actionMenu.close();
    }

    // ---- menus ----

    function openTreeMenu(item: Item, px: real, py: real): void {
        page.stopRecord();
        const at = item.mapToItem(page.dialogParent, px, py);
        treeMenu.openAt(at.x, at.y);
    }

    function openActionMenu(item: Item, px: real, py: real): void {
        page.stopRecord();
        const at = item.mapToItem(page.dialogParent, px, py);
        actionMenu.openAt(at.x, at.y);
    }

    function treeAction(key: string): void {
        if (key === "Rename") {
            page.pendingName = "rename";
            nameDialog.open(page.label(22), page.tree[page.selectedIndex].textValue);
        } else if (key === "Delete") {
            confirmBox.visible = true;
        } else if (key === "Import") {
            page.importMacro();
        } else if (key === "Export") {
            page.exportMacro();
        } else if (key === "NewFolder") {
            page.pendingName = "newFolder";
            nameDialog.open(page.label(18), "");
        } else if (key === "NewMacro") {
            page.pendingName = "newMacro";
            nameDialog.open(page.label(19), "");
        } else if (key === "BatchImport") {
            page.batchImport();
        } else if (key === "BatchExport") {
            page.batchExport();
        }
    }

    function nameChosen(name: string): void {
        if (page.pendingName === "rename")
            page.renameSelected(name);
        else if (page.pendingName === "newFolder")
            page.newFolder(name);
        else if (page.pendingName === "newMacro")
            page.newMacro(name);
        page.pendingName = "";
    }

    function actionChosen(key: string): void {
        if (key === "DeleteAction")
            page.deleteAction();
        else if (key === "InsertDelay")
            page.insertDelay();
        else if (key === "InsertKey")
            keyCapture.open(page.label(14));
        else if (key === "InsertLeftKey")
            page.insertButton(0xF0);
        else if (key === "InsertMiddleKey")
            page.insertButton(0xF2);
        else if (key === "InsertRightKey")
            page.insertButton(0xF1);
    }

    Timer {
        id: recordTick

        interval: 10
        repeat: true
        onTriggered: page.countTicks()
    }

    component Caption: Text {
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
    }

    component Panel: Rectangle {
        radius: 3
        color: Theme.colorGray0
        border.width: 1
        border.color: Theme.panelBorder
    }

    Text {
        id: title

        x: 24
        y: 8
        text: page.label(0)
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMaxSize
        font.bold: true
    }

    Caption {
        x: 24
        y: 44
        text: page.label(1)
    }

    // The two commonest tree commands, for those who never right-click; the
    // tree's menu has the rest.
    Row {
        x: 24 + 250 - width
        y: 40
        spacing: 12

        TextButton {
            objectName: "macroNew"
            text: page.label(2)
            pixelSize: Theme.fontMinSize
            Accessible.name: "New macro"
            onClicked: page.treeAction("NewMacro")
        }
        TextButton {
            objectName: "macroDeleteEntry"
            text: page.label(3)
            pixelSize: Theme.fontMinSize
            enabled: page.selectedIndex >= 0
            Accessible.name: "Delete the selected macro or folder"
            onClicked: page.treeAction("Delete")
        }
    }

    Panel {
        id: treePanel

        x: 24
        y: 70
        width: 250
        height: 380

        // A press on empty space clears the selection; a right click there
        // offers what can be added at the root.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onClicked: function(mouse) {
                page.selectRow(-1);
                if (mouse.button === Qt.RightButton)
                    page.openTreeMenu(treePanel, mouse.x, mouse.y);
            }
        }

        ListView {
            id: treeList

            objectName: "macroTree"
            anchors.fill: parent
            anchors.margins: 4
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: page.tree
            Accessible.role: Accessible.Tree
            Accessible.name: page.label(1)

            delegate: Item {
                id: row

                required property var modelData
                required property int index
                readonly property bool selected: row.index === page.selectedIndex

                objectName: "macroRow" + row.index
                width: treeList.width
                height: 26
                Accessible.role: Accessible.TreeItem
                Accessible.name: row.modelData.textValue
                Accessible.selectable: true
                Accessible.selected: row.selected
                Accessible.onPressAction: page.selectRow(row.index)

                Rectangle {
                    anchors.fill: parent
                    color: row.selected ? Theme.colorGray1 : Theme.colorTransparent
                }
                Image {
                    x: row.modelData.txtMargin - (row.modelData.macroType === 1 ? 24 : 20)
                    anchors.verticalCenter: parent.verticalCenter
                    width: row.modelData.macroType === 1 ? 18 : 14
                    height: width
                    sourceSize.width: 36
                    sourceSize.height: 36
                    source: row.modelData.macroType === 1 ? Images.macroFolder : Images.macroFile
                    smooth: true
                }
                Text {
                    x: row.modelData.txtMargin
                    width: row.width - x - 4
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    text: row.modelData.textValue
                    color: row.selected || rowArea.containsMouse ? Theme.colorPrimary : Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: rowArea

                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function(mouse) {
                        if (row.index !== page.selectedIndex)
                            page.selectRow(row.index);
                        if (mouse.button === Qt.RightButton)
                            page.openTreeMenu(row, mouse.x, mouse.y);
                    }
                }
            }
        }
    }

    Caption {
        x: 298
        y: 44
        text: page.label(4)
    }

    Panel {
        id: actionPanel

        x: 298
        y: 70
        width: 254
        height: 380

        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onClicked: function(mouse) {
                page.selectedAction = -1;
                if (mouse.button === Qt.RightButton && page.hasMacro)
                    page.openActionMenu(actionPanel, mouse.x, mouse.y);
            }
        }

        ListView {
            id: actionList

            objectName: "macroActions"
            anchors.fill: parent
            anchors.margins: 4
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: page.lines
            Accessible.role: Accessible.List
            Accessible.name: page.label(4)

            delegate: Item {
                id: action

                required property var modelData
                required property int index
                readonly property bool selected: action.index === page.selectedAction
                readonly property int type: MacroLogic.lineType(action.modelData)

                objectName: "macroAction" + action.index
                width: actionList.width
                height: 24
                Accessible.role: Accessible.ListItem
                Accessible.name: MacroLogic.lineText(action.modelData)
                Accessible.selectable: true
                Accessible.selected: action.selected
                Accessible.onPressAction: page.selectedAction = action.index

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
                        page.selectedAction = action.index;
                        if (mouse.button === Qt.RightButton)
                            page.openActionMenu(action, mouse.x, mouse.y);
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
        id: recordRow

        x: 24
        y: 468
        spacing: 24

        TextButton {
            id: recordButton

            objectName: "macroRecord"
            anchors.verticalCenter: parent.verticalCenter
            text: page.recording ? page.label(5) : page.label(8)
            textColor: page.recording ? Theme.colorAccent : Theme.fontColor
            framed: true
            enabled: page.hasMacro
            onClicked: page.recording ? page.stopRecord() : page.startRecord()
        }
        CheckBox {
            id: delayBox

            objectName: "macroDelay"
            anchors.verticalCenter: parent.verticalCenter
            textValue: page.label(9)
            isSelect: true
            Accessible.name: page.label(9)
        }
    }

    CaptureScopeNote {
        objectName: "macroRecordScopeNote"
        x: 24
        y: 498
        width: page.width - 48
        maximumLineCount: 2
        elide: Text.ElideRight
    }

    // Under the action list, unless a long Delay label needs the room.
    Row {
        x: Math.max(298, recordRow.x + recordRow.width + 24)
        y: 468
        spacing: 10

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: page.label(6)
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
            enabled: page.hasMacro
            Accessible.name: page.label(6)
            onEndInputSignal: page.setRepeat(timesInput.txtInput.text)
        }
    }

    // ---- overlays, over the frame's dimmed mask ----

    MacroMenu {
        id: treeMenu

        objectName: "macroTreeMenu"
        parent: page.dialogParent
        entries: [
            { key: "Rename", text: page.label(22), enabled: page.selectedIndex >= 0 },
            { key: "Delete", text: page.label(10), enabled: page.selectedIndex >= 0 },
            { key: "Import", text: page.label(11) },
            { key: "Export", text: page.label(12), enabled: page.hasMacro },
            { key: "NewFolder", text: page.label(18) },
            { key: "NewMacro", text: page.label(19) },
            { key: "BatchImport", text: page.label(20) },
            { key: "BatchExport", text: page.label(21) }
        ]
        onChosen: function(key) { page.treeAction(key) }
    }

    MacroMenu {
        id: actionMenu

        objectName: "macroActionMenu"
        parent: page.dialogParent
        entries: [
            { key: "DeleteAction", text: page.label(10), enabled: page.selectedAction >= 0 },
            { key: "InsertDelay", text: page.label(13), enabled: page.canAdd() },
            { key: "InsertKey", text: page.label(14), enabled: page.canAdd() },
            { key: "InsertLeftKey", text: page.label(15), enabled: page.canAdd() },
            { key: "InsertMiddleKey", text: page.label(16), enabled: page.canAdd() },
            { key: "InsertRightKey", text: page.label(17), enabled: page.canAdd() }
        ]
        onChosen: function(key) { page.actionChosen(key) }
    }

    InputAssigment {
        id: nameDialog

        objectName: "macroNameDialog"
        parent: page.dialogParent
        z: 30
        okText: page.label(24)
        cancelText: page.label(25)
        onAccepted: function(text) { page.nameChosen(text) }
    }

    MacroKeyCapture {
        id: keyCapture

        objectName: "macroKeyCapture"
        parent: page.dialogParent
        z: 30
        promptText: page.label(23)
        okText: page.label(24)
        cancelText: page.label(25)
        onAccepted: function(usage) { page.insertKey(usage) }
    }

    Tooltip {
        id: confirmBox

        objectName: "macroDeleteConfirm"
        parent: page.dialogParent
        z: 30
        visible: false
        title: page.label(3)
        message: page.warningText(7)
        okText: page.warningText(4)
        cancelText: page.warningText(5)
        onTooltipClickOK: page.deleteSelected()
    }

    WarningAssigment {
        id: warningBox

        objectName: "macroWarning"
        parent: page.dialogParent
        z: 40
        warningAssigmentLang: page.warningAssigmentLang
    }
}
