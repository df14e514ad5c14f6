pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The host profiles: the list of names, New, Rename (double-click), Delete,
// Export and Import. Every change to the list is written to name.bin at once.
// The same model feeds the top bar's drop-down; a choice there comes back
// through chooseAt(), so a switch always uses the entry's stored number, which
// differs from its position once an entry in the middle was deleted.
Item {
    id: profile

    property var view: null
    property var profileLang: []
    property var warningAssigmentLang: []
    // The number of the profile in use, kept by the frame.
    property int profileNo: 0
    property Item overlayParent: null

    readonly property var englishLang: ["config", "New", "Import", "Delete", "Export", "Standard"]
    readonly property var shownTexts: Texts.shown(profile.profileLang, profile.englishLang)
    readonly property var englishWarnings: ["Warning", "", "", "", " OK ", "Cancel", "Delete",
        "Confirm delete ?"]
    readonly property var shownWarnings: Texts.shown(profile.warningAssigmentLang,
                                                     profile.englishWarnings)
    readonly property ListModel profileModel: names
    readonly property int selectedIndex: d.selectedIndex
    // List position of the profile in use, for the top bar.
    readonly property int currentIndex: d.currentIndex
    readonly property bool isDialogOpen: profile.visible || confirmBox.visible
    readonly property bool canAdd: d.count < ProfileRules.maxProfiles
    readonly property bool canDeleteSelected: d.count > 0
                                              && ProfileRules.canDelete(profile.entries(),
                                                                        d.selectedIndex,
                                                                        profile.profileNo)
    readonly property Item dialogParent: profile.overlayParent ? profile.overlayParent : profile

    signal changeProfile(int profileNo)

    visible: false
    onProfileNoChanged: profile.refreshCurrent()

    // ---- the list ----

    // The first profile's name is the language's word, also after a switch.
    onProfileLangChanged: {
        if (names.count > 0)
            names.setProperty(0, "textValue", profile.shownTexts[5]);
    }

    function init(): void {
        profile.endRename(false);
        let entries = ProfileRules.parseStored(
                profile.view ? SceneLogic.storedList(profile.view.getNameList(2)) : []);
        if (entries.length === 0)
            entries = [{ textValue: "", profileNo: 0 }];
        // The first profile is always called by the language's word for it.
        entries[0].textValue = profile.shownTexts[5];
        names.clear();
        for (const e of entries)
            names.append({ textValue: e.textValue, profileNo: e.profileNo });
        profile.listChanged();
        const current = ProfileRules.indexOfNumber(entries, profile.profileNo);
        d.selectedIndex = current >= 0 ? current : 0;
        profile.store();
    }

    function entries(): var {
        const out = [];
        for (let i = 0; i < names.count; ++i) {
            const e = names.get(i);
            out.push({ textValue: e.textValue, profileNo: e.profileNo });
        }
        return out;
    }

    // Stored profile number of list position index; -1 outside the list.
    function numberAt(index: int): int {
        return index >= 0 && index < names.count ? names.get(index).profileNo : -1;
    }

    function store(): void {
        if (profile.view)
            profile.view.updataNameList(2, ProfileRules.storedList(profile.entries()));
    }

    function listChanged(): void {
        d.count = names.count;
        profile.refreshCurrent();
    }

    function refreshCurrent(): void {
        d.currentIndex = ProfileRules.indexOfNumber(profile.entries(), profile.profileNo);
    }

    function selectRow(index: int): void {
        if (index < 0 || index >= names.count)
            return;
        if (d.editingIndex !== index)
            profile.endRename(true);
        d.selectedIndex = index;
    }

    // The top bar's choice.
    function chooseAt(index: int): void {
        const number = profile.numberAt(index);
        if (number >= 0)
            profile.changeProfile(number);
    }

    // ---- the buttons ----

    // Appends "profile_<n>" on the first free profile number; -1 when full.
    function appendEntry(): int {
        const entries = profile.entries();
        const number = ProfileRules.firstFreeNumber(entries);
        if (entries.length >= ProfileRules.maxProfiles || number < 0)
            return -1;
        names.append({ textValue: ProfileRules.firstFreeName(entries), profileNo: number });
        profile.listChanged();
        d.selectedIndex = names.count - 1;
        profile.store();
        return number;
    }

    function newProfile(): void {
        profile.endRename(true);
        const number = profile.appendEntry();
        if (number >= 0)
            profile.view.resetProfile(number);
    }

    // A cancelled file dialog leaves no entry behind: the file of that number
    // may still hold a deleted profile's settings.
    function importProfile(): void {
        profile.endRename(true);
        const before = d.selectedIndex;
        const number = profile.appendEntry();
        if (number < 0)
            return;
        if (profile.view.loadProfile(number))
            return;
        names.remove(names.count - 1);
        profile.listChanged();
        d.selectedIndex = before;
        profile.store();
    }

    function exportProfile(): void {
        profile.endRename(true);
        const number = profile.numberAt(d.selectedIndex);
        if (number >= 0)
            profile.view.saveProfile(number);
    }

    function askDelete(): void {
        profile.endRename(true);
        if (profile.canDeleteSelected)
            confirmBox.visible = true;
    }

    function deleteSelected(): void {
        const index = d.selectedIndex;
        if (!ProfileRules.canDelete(profile.entries(), index, profile.profileNo))
            return;
        names.remove(index);
        profile.listChanged();
        d.selectedIndex = index - 1;
        profile.store();
    }

    // ---- renaming ----

    // The first entry keeps the language's name; a name another entry shows is
    // refused, so the top bar never offers two alike.
    function renameAt(index: int, name: string): bool {
        const text = String(name).trim();
        if (index <= 0 || index >= names.count || text.length === 0)
            return false;
        if (text === names.get(index).textValue)
            return true;
        if (ProfileRules.nameTaken(profile.entries(), text, index))
            return false;
        names.setProperty(index, "textValue", text);
        profile.store();
        return true;
    }

    function startRename(index: int): void {
        if (index <= 0 || index >= names.count)
            return;
        profile.selectRow(index);
        d.nameRefused = false;
        nameField.text = names.get(index).textValue;
        d.editingIndex = index;
        nameField.forceActiveFocus();
        nameField.selectAll();
    }

    // Return keeps a refused name open for correction; leaving the field
    // drops it.
    function commitRename(): void {
        if (d.editingIndex < 0)
            return;
        if (profile.renameAt(d.editingIndex, nameField.text))
            profile.endRename(false);
        else
            d.nameRefused = true;
    }

    function endRename(apply: bool): void {
        const index = d.editingIndex;
        if (index < 0)
            return;
        d.editingIndex = -1;
        d.nameRefused = false;
        nameField.focus = false;
        if (apply)
            profile.renameAt(index, nameField.text);
    }

    // ---- the panel ----

    function open(): void {
        const current = ProfileRules.indexOfNumber(profile.entries(), profile.profileNo);
        if (current >= 0)
            d.selectedIndex = current;
        profile.visible = true;
    }

    function close(): void {
        profile.endRename(true);
        confirmBox.visible = false;
        profile.visible = false;
    }

    function closeFocus(): void {
        profile.endRename(true);
    }

    QtObject {
        id: d

        property int count: 0
        property int selectedIndex: -1
        property int currentIndex: -1
        property int editingIndex: -1
        property bool nameRefused: false
        readonly property int rowPitch: 44
    }

    ListModel {
        id: names
    }

    DialogFrame {
        id: panel

        objectName: "profilePanel"
        parent: profile.dialogParent
        z: 20
        width: 440
        height: 372
        visible: profile.visible
        title: profile.shownTexts[0]
        cancelButton: closeButton

        CloseButton {
            id: closeButton

            objectName: "profileClose"
            x: panel.width - 32
            y: 6
            width: 20
            height: 20
            onClicked: profile.close()
        }

        Item {
            id: list

            objectName: "profileRows"
            x: 22
            y: 44
            width: panel.width - 44
            height: ProfileRules.maxProfiles * d.rowPitch

            Repeater {
                model: names

                delegate: Rectangle {
                    id: row

                    required property int index
                    required property string textValue
                    required property int profileNo
                    readonly property bool selected: row.index === d.selectedIndex
                    readonly property bool inUse: row.profileNo === profile.profileNo

                    objectName: "profileRow" + row.index
                    y: row.index * d.rowPitch
                    width: list.width
                    height: d.rowPitch - 4
                    radius: 3
                    color: row.selected ? Theme.colorGray1
                                        : rowArea.containsMouse ? Theme.colorGray0
                                                                : Theme.colorTransparent
                    border.width: row.selected ? 1 : 0
                    border.color: Theme.colorPrimary
                    Accessible.role: Accessible.ListItem
                    Accessible.name: row.textValue
                    Accessible.selected: row.selected
                    Accessible.onPressAction: profile.selectRow(row.index)

                    Image {
                        x: 10
                        anchors.verticalCenter: parent.verticalCenter
                        width: 20
                        height: 20
                        source: Images.profileIcon
                        smooth: true
                    }
                    Text {
                        x: 40
                        width: row.width - 76
                        anchors.verticalCenter: parent.verticalCenter
                        visible: d.editingIndex !== row.index
                        elide: Text.ElideRight
                        text: row.textValue
                        color: row.inUse ? Theme.colorPrimary : Theme.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                        font.bold: row.inUse
                    }
                    // The profile the mouse is using now.
                    Rectangle {
                        x: row.width - 24
                        anchors.verticalCenter: parent.verticalCenter
                        width: 8
                        height: 8
                        radius: 4
                        visible: row.inUse
                        color: Theme.colorPrimary
                    }
                    MouseArea {
                        id: rowArea

                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: profile.selectRow(row.index)
                        onDoubleClicked: profile.startRename(row.index)
                    }
                }
            }

            Rectangle {
                x: 36
                y: Math.max(0, d.editingIndex) * d.rowPitch + 6
                width: list.width - 72
                height: d.rowPitch - 16
                visible: d.editingIndex >= 0
                radius: 2
                color: Theme.colorGray0
                border.width: 1
                border.color: d.nameRefused ? Theme.colorAccent : Theme.colorPrimary

                TextInput {
                    id: nameField

                    objectName: "profileNameField"
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
                    Accessible.name: "profileNameField"
                    Keys.onReturnPressed: profile.commitRename()
                    Keys.onEnterPressed: profile.commitRename()
                    Keys.onEscapePressed: profile.endRename(false)
                    onTextEdited: d.nameRefused = false
                    onActiveFocusChanged: {
                        if (!activeFocus)
                            profile.endRename(true);
                    }
                }
            }
        }

        Row {
            x: 22
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 14
            spacing: 12

            TextButton {
                objectName: "profileNew"
                text: profile.shownTexts[1]
                framed: true
                enabled: profile.canAdd
                onClicked: profile.newProfile()
            }
            TextButton {
                objectName: "profileImport"
                text: profile.shownTexts[2]
                framed: true
                enabled: profile.canAdd
                onClicked: profile.importProfile()
            }
            TextButton {
                objectName: "profileDelete"
                text: profile.shownTexts[3]
                framed: true
                enabled: profile.canDeleteSelected
                onClicked: profile.askDelete()
            }
            TextButton {
                objectName: "profileExport"
                text: profile.shownTexts[4]
                framed: true
                enabled: d.selectedIndex >= 0 && d.selectedIndex < d.count
                onClicked: profile.exportProfile()
            }
        }
    }

    Tooltip {
        id: confirmBox

        objectName: "profileDeleteConfirm"
        parent: profile.dialogParent
        z: 30
        visible: false
        title: profile.shownTexts[3]
        message: profile.shownWarnings[7]
        okText: profile.shownWarnings[4]
        cancelText: profile.shownWarnings[5]
        onTooltipClickOK: profile.deleteSelected()
    }
}
