pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The macro library as a tree of folders and macros, with its menu and the
// dialogs that name, confirm and warn. Every change goes to the library at
// once, through the store's name lists (updataMacroList).
Item {
    id: panel

    property var view: null
    // The editor's texts and warnings, already in the shown language.
    property var texts: []
    property var warnings: []
    property Item dialogParent: null

    // The flat, pre-ordered tree (MacroTree entries) and the selected row.
    property var tree: []
    property int selectedIndex: -1
    // What the name dialog was opened for: "newMacro", "newFolder" or "rename".
    property string pendingName: ""

    readonly property bool hasMacro: panel.selectedIndex >= 0
                                     && panel.selectedIndex < panel.tree.length
                                     && panel.tree[panel.selectedIndex].macroType === 0
    readonly property bool hasFolder: panel.selectedIndex >= 0
                                      && panel.selectedIndex < panel.tree.length
                                      && panel.tree[panel.selectedIndex].macroType === 1
    readonly property var selectedMacro: panel.hasMacro ? panel.tree[panel.selectedIndex] : null
    readonly property bool isDialogOpen: nameDialog.visible || warningBox.visible
                                         || confirmBox.visible

    // Before the tree or its selection changes: a recording must end first.
    signal leaving()
    signal rowSelected()
    signal deleteMacro(string name)
    signal modifyMacroName(int level, int type, string oldName, string newName)

    width: 250
    height: 410

    function reload(): void {
        const old = panel.selectedIndex >= 0 && panel.selectedIndex < panel.tree.length
                  ? panel.tree[panel.selectedIndex] : null;
        const oldLevel = old ? old.level : -1;
        const oldKey = old ? old.path.concat([old.textValue]).join("/") : "";
        // A large library's tree takes megabytes, and the collector would
        // only reclaim the last one after several reads: let it go before
        // the next is built, so a read costs one tree, not a pile of them.
        panel.tree = [];
        gc();
        panel.tree = MacroTree.readTree(panel.view, SceneLogic.storedList);
        const again = oldLevel < 0 ? -1 : panel.tree.findIndex(
            e => e.level === oldLevel && e.path.concat([e.textValue]).join("/") === oldKey);
        panel.selectRow(again);
    }

    function selectRow(index: int): void {
        panel.leaving();
        panel.selectedIndex = index >= 0 && index < panel.tree.length ? index : -1;
        panel.rowSelected();
    }

    function warn(i: int): void {
        warningBox.open(panel.warnings[i]);
    }

    // The folder new entries go into: the selected folder, the folder of the
    // selected macro, else the root (-1).
    function targetContainer(): int {
        if (panel.hasFolder)
            return panel.selectedIndex;
        if (panel.hasMacro)
            return MacroTree.parentIndex(panel.tree, panel.selectedIndex);
        return -1;
    }

    function addEntry(name: string, macroType: int): bool {
        const trimmed = String(name).trim();
        if (trimmed.length === 0)
            return false;
        const tree = panel.tree.slice();
        const parent = panel.targetContainer();
        const level = parent < 0 ? 0 : tree[parent].level + 1;
        if (macroType === 1 && level > 4) {
            panel.warn(3);
            return false;
        }
        if (MacroTree.nameTaken(tree, parent, trimmed)) {
            panel.warn(2);
            return false;
        }
        const containerPath = parent < 0 ? [] : tree[parent].path.concat([tree[parent].textValue]);
        MacroTree.selectPath(panel.view, containerPath, level);
        // What the disk did not take is not listed; the store has said why.
        if (!panel.view.createMacroIni(trimmed, MacroTree.childIndices(tree, parent).length, level,
                                       macroType))
            return false;
        const at = parent < 0 ? tree.length : MacroTree.subtreeEnd(tree, parent);
        tree.splice(at, 0, MacroTree.makeEntry(trimmed, macroType, level));
        MacroTree.normalize(tree);
        // At the root the store clears no group by itself; a folder that once
        // had this name may have left its lists behind.
        if (macroType === 1 && parent < 0)
            panel.view.updataMacroList_delOld(trimmed);
        MacroTree.writeContainer(panel.view, tree, parent, 0, trimmed);
        panel.tree = tree;
        panel.selectRow(at);
        return true;
    }

    function newMacro(name: string): bool {
        return panel.addEntry(name, 0);
    }

    function newFolder(name: string): bool {
        return panel.addEntry(name, 1);
    }

    function renameSelected(name: string): bool {
        const newName = String(name).trim();
        if (panel.selectedIndex < 0 || newName.length === 0)
            return false;
        const tree = panel.tree.slice();
        const index = panel.selectedIndex;
        const entry = tree[index];
        const oldName = entry.textValue;
        if (newName === oldName)
            return true;
        const parent = MacroTree.parentIndex(tree, index);
        if (MacroTree.nameTaken(tree, parent, newName)) {
            panel.warn(2);
            return false;
        }
        panel.leaving();
        // Every group below the top folder carries the old names; clear them
        // while the folders still have them on disk, then write them anew.
        const top = MacroTree.topFolder(tree, index);
        if (top >= 0) {
            MacroTree.selectPath(panel.view, [], 0);
            panel.view.searchMacroFile_sub_batch(tree[top].textValue, 0, 0);
        }
        // The frame renames the file or folder and the buttons bound to it.
        MacroTree.selectEntry(panel.view, entry);
        panel.modifyMacroName(entry.level, entry.macroType, oldName, newName);
        tree[index] = MacroTree.makeEntry(newName, entry.macroType, entry.level);
        MacroTree.normalize(tree);
        MacroTree.writeContainer(panel.view, tree, parent, 1, "");
        if (top >= 0)
            MacroTree.writeSubtree(panel.view, tree, top);
        panel.tree = tree;
        panel.selectedIndex = index;
        return true;
    }

    function deleteSelected(): bool {
        if (panel.selectedIndex < 0)
            return false;
        panel.leaving();
        const tree = panel.tree.slice();
        const index = panel.selectedIndex;
        const entry = tree[index];
        const top = MacroTree.topFolder(tree, index);
        if (top >= 0) {
            MacroTree.selectPath(panel.view, [], 0);
            panel.view.searchMacroFile_sub_batch(tree[top].textValue, 0, entry.level);
        }
        MacroTree.selectEntry(panel.view, entry);
        panel.view.deleteMacroIni(entry.level, entry.macroType, entry.textValue);
        const removed = MacroTree.macrosIn(tree, index);
        const parent = MacroTree.parentIndex(tree, index);
        tree.splice(index, MacroTree.subtreeEnd(tree, index) - index);
        MacroTree.normalize(tree);
        MacroTree.writeContainer(panel.view, tree, parent, 0, entry.textValue);
        // The walk above cleared the groups at the entry's depth and below in
        // the whole top folder, the entry's siblings' too.
        if (top >= 0 && top !== index)
            MacroTree.writeSubtree(panel.view, tree, top);
        panel.tree = tree;
        panel.selectRow(-1);
        for (const name of removed)
            panel.deleteMacro(name);
        return true;
    }

    function importMacro(): bool {
        const tree = panel.tree.slice();
        const parent = panel.hasFolder ? panel.selectedIndex : -1;
        let name = "";
        if (parent >= 0) {
            const folder = tree[parent];
            MacroTree.selectPath(panel.view, folder.path.concat([folder.textValue]), folder.level + 1);
            name = panel.view.loadMacroFile(folder.level, 1);
        } else {
            name = panel.view.loadMacroFile(0, 0);
        }
        if (!name)
            return false;
        // The store never overwrites a library file, so an existing macro of
        // that name kept its own actions: listing the name again would only
        // show the same file twice.
        if (MacroTree.nameTaken(tree, parent, name)) {
            panel.warn(2);
            return false;
        }
        const level = parent < 0 ? 0 : tree[parent].level + 1;
        const at = parent < 0 ? tree.length : MacroTree.subtreeEnd(tree, parent);
        tree.splice(at, 0, MacroTree.makeEntry(name, 0, level));
        MacroTree.normalize(tree);
        MacroTree.writeContainer(panel.view, tree, parent, 0, name);
        panel.tree = tree;
        panel.selectRow(at);
        return true;
    }

    function exportMacro(): void {
        if (!panel.hasMacro)
            return;
        const entry = panel.tree[panel.selectedIndex];
        MacroTree.selectEntry(panel.view, entry);
        panel.view.saveMacroFile(entry.level, entry.textValue);
    }

    function batchImport(): bool {
        const name = panel.view.loadMacroFile_batch();
        if (!name)
            return false;
        const tree = panel.tree.slice();
        // The chosen folder's files were not copied yet; refusing here leaves
        // the existing entry of that name untouched.
        if (MacroTree.nameTaken(tree, -1, name)) {
            panel.warn(2);
            return false;
        }
        panel.view.loadMacroFile_sub_batch();
        const below = MacroTree.entriesBelow(panel.view, [], name, true);
        const at = tree.length;
        tree.push(MacroTree.makeEntry(name, 1, 0));
        for (const e of below)
            tree.push(e);
        MacroTree.normalize(tree);
        panel.view.updataMacroList_delOld(name);
        MacroTree.writeContainer(panel.view, tree, -1, 0, name);
        MacroTree.writeSubtree(panel.view, tree, at);
        panel.tree = tree;
        panel.selectRow(at);
        // Links in the chosen folder could lead anywhere on the system.
        const skipped = panel.view.getSkippedLinks_batch ? panel.view.getSkippedLinks_batch() : [];
        if (skipped.length > 0)
            warningBox.open(panel.texts[26] + " " + skipped.join(", "));
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
        MacroTree.selectPath(panel.view, path, path.length);
        panel.view.saveMacroFile_batch(path.length, names, types);
    }

    // The selected folder with everything below it, or the whole library.
    // Containers go out from the top down so each directory exists before
    // its contents are copied.
    function batchExport(): void {
        const tree = panel.tree;
        panel.view.getbatchPath();
        if (!panel.hasFolder) {
            panel.exportContainer(tree, -1);
            for (let i = 0; i < tree.length; ++i) {
                if (tree[i].macroType === 1)
                    panel.exportContainer(tree, i);
            }
            return;
        }
        const folder = tree[panel.selectedIndex];
        const chain = folder.path.concat([folder.textValue]);
        for (let k = 0; k < chain.length; ++k) {
            MacroTree.selectPath(panel.view, chain.slice(0, k), k);
            panel.view.saveMacroFile_batch(k, [chain[k]], [1]);
        }
        const end = MacroTree.subtreeEnd(tree, panel.selectedIndex);
        for (let j = panel.selectedIndex; j < end; ++j) {
            if (tree[j].macroType === 1)
                panel.exportContainer(tree, j);
        }
    }

    function openMenu(item: Item, px: real, py: real): void {
        panel.leaving();
        const at = item.mapToItem(panel.dialogParent, px, py);
        treeMenu.openAt(at.x, at.y);
    }

    function closeMenu(): void {
        treeMenu.close();
    }

    function treeAction(key: string): void {
        if (key === "Rename") {
            panel.pendingName = "rename";
            nameDialog.open(panel.texts[22], panel.tree[panel.selectedIndex].textValue);
        } else if (key === "Delete") {
            confirmBox.visible = true;
        } else if (key === "Import") {
            panel.importMacro();
        } else if (key === "Export") {
            panel.exportMacro();
        } else if (key === "NewFolder") {
            panel.pendingName = "newFolder";
            nameDialog.open(panel.texts[18], "");
        } else if (key === "NewMacro") {
            panel.pendingName = "newMacro";
            nameDialog.open(panel.texts[19], "");
        } else if (key === "BatchImport") {
            panel.batchImport();
        } else if (key === "BatchExport") {
            panel.batchExport();
        }
    }

    function nameChosen(name: string): void {
        if (panel.pendingName === "rename")
            panel.renameSelected(name);
        else if (panel.pendingName === "newFolder")
            panel.newFolder(name);
        else if (panel.pendingName === "newMacro")
            panel.newMacro(name);
        panel.pendingName = "";
    }

    BoldCaption {
        y: 4
        text: panel.texts[1]
    }

    // The two commonest tree commands, for those who never right-click; the
    // tree's menu has the rest.
    Row {
        x: panel.width - width
        spacing: 12

        TextButton {
            objectName: "macroNew"
            text: panel.texts[2]
            pixelSize: Theme.fontMinSize
            Accessible.name: "New macro"
            onClicked: panel.treeAction("NewMacro")
        }
        TextButton {
            objectName: "macroDeleteEntry"
            text: panel.texts[3]
            pixelSize: Theme.fontMinSize
            enabled: panel.selectedIndex >= 0
            Accessible.name: "Delete the selected macro or folder"
            onClicked: panel.treeAction("Delete")
        }
    }

    InsetPanel {
        id: treeBox

        y: 30
        width: panel.width
        height: 380

        // A press on empty space clears the selection; a right click there
        // offers what can be added at the root.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onClicked: function(mouse) {
                panel.selectRow(-1);
                if (mouse.button === Qt.RightButton)
                    panel.openMenu(treeBox, mouse.x, mouse.y);
            }
        }

        ListView {
            id: treeList

            objectName: "macroTree"
            anchors.fill: parent
            anchors.margins: 4
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: panel.tree
            Accessible.role: Accessible.Tree
            Accessible.name: panel.texts[1]

            delegate: Item {
                id: row

                required property var modelData
                required property int index
                readonly property bool selected: row.index === panel.selectedIndex

                objectName: "macroRow" + row.index
                width: treeList.width
                height: 26
                Accessible.role: Accessible.TreeItem
                Accessible.name: row.modelData.textValue
                Accessible.selectable: true
                Accessible.selected: row.selected
                Accessible.onPressAction: panel.selectRow(row.index)

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
                        if (row.index !== panel.selectedIndex)
                            panel.selectRow(row.index);
                        if (mouse.button === Qt.RightButton)
                            panel.openMenu(row, mouse.x, mouse.y);
                    }
                }
            }
        }
    }

    // ---- overlays, over the frame's dimmed mask ----

    MacroMenu {
        id: treeMenu

        objectName: "macroTreeMenu"
        parent: panel.dialogParent
        entries: [
            { key: "Rename", text: panel.texts[22], enabled: panel.selectedIndex >= 0 },
            { key: "Delete", text: panel.texts[10], enabled: panel.selectedIndex >= 0 },
            { key: "Import", text: panel.texts[11] },
            { key: "Export", text: panel.texts[12], enabled: panel.hasMacro },
            { key: "NewFolder", text: panel.texts[18] },
            { key: "NewMacro", text: panel.texts[19] },
            { key: "BatchImport", text: panel.texts[20] },
            { key: "BatchExport", text: panel.texts[21] }
        ]
        onChosen: function(key) { panel.treeAction(key) }
    }

    InputAssigment {
        id: nameDialog

        objectName: "macroNameDialog"
        parent: panel.dialogParent
        z: 30
        okText: panel.texts[24]
        cancelText: panel.texts[25]
        onAccepted: function(text) { panel.nameChosen(text) }
    }

    Tooltip {
        id: confirmBox

        objectName: "macroDeleteConfirm"
        parent: panel.dialogParent
        z: 30
        visible: false
        title: panel.texts[3]
        message: panel.warnings[7]
        okText: panel.warnings[4]
        cancelText: panel.warnings[5]
        onTooltipClickOK: panel.deleteSelected()
    }

    WarningAssigment {
        id: warningBox

        objectName: "macroWarning"
        parent: panel.dialogParent
        z: 40
        warningAssigmentLang: panel.warnings
    }
}
