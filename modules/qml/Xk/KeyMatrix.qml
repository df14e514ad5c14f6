pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The buttons of the current mode and what each one does. Both mode
// matrices live here while the user edits; saveData hands them to the view,
// which stores them and sends the current mode's matrix to the mouse.
// Menus and dialogs are put in overlayParent so they sit over the whole
// scene (and over the frame's mask while a dialog is open).
Item {
    id: page

    property var view: null
    property int mouseMode: 0
    property int keyCount: 14
    property var keyMatrixLang: []
    property var keyAssigmentLang: []
    property var warningAssigmentLang: []
    property Item overlayParent: null
    property bool isSave: false
    property int selectedButton: -1
    readonly property MacroTransfer macroTransfer: MacroTransfer {
        view: page.view
    }

    readonly property bool isDialogOpen: fireDialog.visible || groupDialog.visible
                                         || macroDialog.visible || warning.visible
    readonly property bool isFireInput: fireDialog.visible && fireDialog.isCapturing
    readonly property bool isComboInput: groupDialog.visible
    readonly property Item overlay: page.overlayParent ? page.overlayParent : page

    // [mode][button]: codes as four numbers, and the texts the rows show.
    property var codes: [page.builtInMatrix(0), page.builtInMatrix(1)]
    property var texts: [page.builtInTexts(0), page.builtInTexts(1)]

    // What each button of the current mode does, as the rows and the mouse
    // picture name it: the mouse's own buttons say that the mouse fixes them.
    readonly property var shownTexts: page.texts[page.mouseMode].map(
        (text, button) => MacroLogic.isFixedButton(button) ? page.labels[64] : text)

    readonly property var englishLang: page.buildEnglish()
    // The language list where it has a text, English where it has not.
    readonly property var labels: Texts.shown(page.keyAssigmentLang, page.englishLang)

    width: 540
    height: 390

    function buildEnglish(): var {
        const list = ["Mouse Function", "Fire Function", "Group Function", "Media Function",
            "Macro Function", "DPI Function", "Windows Function", "Shortcut Function",
            "Gun Function", "Macro runs one-time after pressing the button",
            "Macro runs endless loop until any button is pressed",
            "Macro runs endless loop until button is released"]
        for (const f of MacroLogic.fixedFunctions())
            list[f.textIndex] = f.label
        const tail = ["Fire Key", "Press a key", "Rate", "Times", "Endness",
            "Press the keys of the combination", "Clear", "Select a macro", " OK ", "Cancel",
            "Reset key", "Key Assignment", "Run mode", "Disabled", "Fixed by the mouse"]
        for (let i = 0; i < tail.length; ++i)
            list[50 + i] = tail[i]
        return list
    }

    function builtInMatrix(mode: int): var {
        const list = []
        for (let j = 0; j < 16; ++j)
            list.push(page.numbers(MacroLogic.builtInCode(mode, j)))
        return list
    }

    function builtInTexts(mode: int): var {
        const list = []
        for (let j = 0; j < 16; ++j)
            list.push(MacroLogic.codeText(MacroLogic.builtInCode(mode, j), page.labels, ""))
        return list
    }

    // Profile values come back as text.
    function numbers(list: var): var {
        const out = []
        for (let k = 0; k < 4; ++k)
            out.push(Stored.intOr(list ? list[k] : 0, 0))
        return out
    }

    function macroKey(mode: int, slot: int): string {
        return (mode === 0 ? "mouseMacroKey/" : "mouseMacroKey2/") + slot
    }

    function storedMacroName(mode: int, slot: int, isRecovery: bool): string {
        const name = page.view.getData(page.macroKey(mode, slot), isRecovery)
        return name === undefined || name === null ? "" : String(name)
    }

    function textOf(mode: int, code: var, isRecovery: bool): string {
        const name = code[0] === 4 ? page.storedMacroName(mode, code[2], isRecovery) : ""
        return MacroLogic.codeText(code, page.labels, name)
    }

    function setButton(mode: int, button: int, code: var, text: string) {
        const modeCodes = page.codes.slice()
        modeCodes[mode] = modeCodes[mode].slice()
        modeCodes[mode][button] = code
        const modeTexts = page.texts.slice()
        modeTexts[mode] = modeTexts[mode].slice()
        modeTexts[mode][button] = text
        page.codes = modeCodes
        page.texts = modeTexts
    }

    function isBoundTo(mode: int, button: int, name: string): bool {
        const code = page.codes[mode][button]
        return code[0] === 4 && page.storedMacroName(mode, code[2], false) === name
    }

    // Another language: the same functions under their new names; a macro
    // keeps its own name.
    // The labels may arrive while the page is still being built.
    onLabelsChanged: {
        if (!Array.isArray(page.texts))
            return
        page.texts = page.texts.map((texts, mode) => texts.map((text, button) => {
            const code = page.codes[mode] ? page.codes[mode][button] : undefined
            return code && code[0] !== 4 ? MacroLogic.codeText(code, page.labels, "") : text
        }))
    }

    function init(isSendData, isRecovery) {
        const recovery = !!isRecovery
        const allCodes = [[], []]
        const allTexts = [[], []]
        for (let mode = 0; mode < 2; ++mode) {
            for (let j = 0; j < 16; ++j) {
                const stored = page.view.mouseGetKeydefine(mode, j, recovery)
                const code = stored && stored.length > 0 ? page.numbers(stored)
                                                         : page.numbers(MacroLogic.builtInCode(mode, j))
                allCodes[mode].push(code)
                allTexts[mode].push(page.textOf(mode, code, recovery))
            }
        }
        page.codes = allCodes
        page.texts = allTexts
        page.isSave = false
        if (isSendData)
            page.saveData()
    }

    // The firing periods of the guns in the three gun slots go with the
    // matrices: the gun matrices carry them.
    function gunPeriods(): var {
        const stored = page.view.getGlobalData("mouse/selectGun")
        const periods = []
        for (let slot = 0; slot < 3; ++slot) {
            let gun = stored && slot < stored.length ? parseInt(stored[slot]) : slot
            if (isNaN(gun))
                gun = slot
            const record = page.view.getGunData(gun)
            const period = record && record.length > 2 ? parseInt(record[2]) : NaN
            periods.push(isNaN(period) ? 10 : period)
        }
        return periods
    }

    function saveData() {
        const flat = [[], []]
        for (let mode = 0; mode < 2; ++mode) {
            for (let j = 0; j < 16; ++j)
                flat[mode] = flat[mode].concat(page.codes[mode][j])
        }
        page.view.mouseSetKeyMatrix(page.mouseMode, flat[0], flat[1], true, page.gunPeriods())
    }

    function closeMenus() {
        keyMenu.close()
    }

    // Drops the menu and any half-typed field; open dialogs stay open.
    function closeFocus() {
        if (keyMenu.visible)
            page.selectedButton = -1
        keyMenu.close()
        fireDialog.closeFocus()
    }

    function resetKey(isAll) {
        page.selectedButton = -1
        keyMenu.close()
        fireDialog.close()
        groupDialog.close()
        macroDialog.close()
        if (isAll)
            warning.close()
    }

    // Selects a button and opens its menu beside its row.
    function selectButton(index: int) {
        if (index < 0 || index >= page.keyCount || index > 15 || MacroLogic.isFixedButton(index))
            return
        page.selectedButton = index
        const row = rowRepeater.itemAt(index)
        const corner = row.mapToItem(keyMenu, row.width + 4, 0)
        keyMenu.currentHex = MacroLogic.codeToHex(page.codes[page.mouseMode][index])
        keyMenu.openAt(corner.x, corner.y)
    }

    // What a chosen code does to the selected button; true when it changed.
    function applyCode(code: var): bool {
        const button = page.selectedButton
        keyMenu.close()
        if (button < 0 || !code || code.length !== 4)
            return false
        const mode = page.mouseMode
        const outcome = MacroLogic.chooseOutcome(button, page.codes[mode][button], code)
        if (outcome === "warn") {
            warning.open(Texts.label(page.warningAssigmentLang, 1,
                                     "Please keep a key at least for the left button function."))
            return false
        }
        page.selectedButton = -1
        if (outcome !== "apply")
            return false
        const numbers = page.numbers(code)
        page.setButton(mode, button, numbers, page.textOf(mode, numbers, false))
        page.isSave = true
        return true
    }

    function applyMacro(entry: var, runMode: int) {
        const button = page.selectedButton
        const mode = page.mouseMode
        if (button < 0 || !entry)
            return
        const code = page.numbers(MacroLogic.macroCode(runMode, button))
        // The name goes in first: the row's text is read from it. A refused
        // choice must leave the stored name alone.
        if (MacroLogic.chooseOutcome(button, page.codes[mode][button], code) !== "apply") {
            page.applyCode(code)
            return
        }
        const macro = MacroTree.loadMacro(page.view, entry)
        const bytes = MacroLogic.encodeMacro(macro.lines, macro.repeat)
        if (!macroTransfer.fits(bytes))
            return
        page.view.setData(page.macroKey(mode, button), entry.textValue)
        page.applyCode(code)
        macroTransfer.send(bytes, [button])
    }

    function resetButton() {
        const button = page.selectedButton
        keyMenu.close()
        page.selectedButton = -1
        if (button < 0)
            return
        const mode = page.mouseMode
        // The factory profile, as the bottom bar's Reset reads it.
        const stored = page.view.mouseGetKeydefine(mode, button, true)
        const code = page.numbers(stored && stored.length > 0 ? stored : MacroLogic.builtInCode(mode, button))
        const text = page.textOf(mode, code, false)
        if (text === page.texts[mode][button])
            return
        page.setButton(mode, button, code, text)
        page.isSave = true
    }

    function detectKeyboard(isDown, usbCode) {
        if (page.isFireInput)
            fireDialog.detectKeyboard(!!isDown, Number(usbCode), 0)
        else if (page.isComboInput)
            groupDialog.detectKeyboard(!!isDown, Number(usbCode), 1)
    }

    // The macro editor changed a macro: every button playing it gets the new
    // block. Both modes share the mouse's slots, so where the current mode
    // plays another macro in the same slot, that one stays.
    function macroDataChanged(name, lines, repeat) {
        const current = page.mouseMode === 0 ? 0 : 1
        const slots = []
        for (let j = 0; j < 16; ++j) {
            const playsIt = page.isBoundTo(current, j, String(name))
                || (page.codes[current][j][0] !== 4 && page.isBoundTo(1 - current, j, String(name)))
            if (!playsIt)
                continue
            slots.push(page.isBoundTo(current, j, String(name)) ? page.codes[current][j][2]
                                                                 : page.codes[1 - current][j][2])
        }
        macroTransfer.send(MacroLogic.encodeMacro(lines, Number(repeat)), slots)
    }

    function macroDeleted(name) {
        for (let mode = 0; mode < 2; ++mode) {
            for (let j = 0; j < 16; ++j) {
                if (!page.isBoundTo(mode, j, String(name)))
                    continue
                const code = page.numbers(MacroLogic.builtInCode(mode, j))
                page.setButton(mode, j, code, page.textOf(mode, code, false))
            }
        }
        page.saveData()
        page.view.deleteMacroUpdateProfile(String(name))
    }

    // The editor only renames in its name lists; the bindings of the current
    // profile are ours, and the rename slot moves the file or folder itself.
    function macroRenamed(level, type, oldName, newName) {
        if (Number(type) === 0) {
            for (let mode = 0; mode < 2; ++mode) {
                for (let j = 0; j < 16; ++j) {
                    if (!page.isBoundTo(mode, j, String(oldName)))
                        continue
                    const code = page.codes[mode][j]
                    page.view.setData(page.macroKey(mode, code[2]), String(newName))
                    page.setButton(mode, j, code, page.textOf(mode, code, false))
                }
            }
        }
        page.view.modifyMacroNameUpdateProfile(Number(level), Number(type), String(oldName),
                                               String(newName))
    }

    Text {
        id: title

        objectName: "keyMatrixTitle"
        x: 0
        y: 0
        height: 28
        verticalAlignment: Text.AlignVCenter
        text: page.labels[61]
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMaxSize
        font.bold: true
    }

    Item {
        id: grid

        readonly property int rowsPerColumn: Math.ceil(Math.min(page.keyCount, 16) / 2)
        readonly property int gap: 8
        readonly property int columnWidth: (width - gap) / 2
        readonly property int rowHeight: Math.min(44, Math.floor((height + gap) / Math.max(1, rowsPerColumn)) - gap)

        y: title.height + 10
        width: page.width
        height: page.height - y

        Repeater {
            id: rowRepeater

            model: 16

            delegate: Rectangle {
                id: row

                required property int index
                readonly property bool isSelected: index === page.selectedButton
                readonly property bool isFixed: MacroLogic.isFixedButton(index)
                readonly property string shownText: page.shownTexts[index]

                objectName: "keyRow" + index
                visible: index < page.keyCount
                x: index < grid.rowsPerColumn ? 0 : grid.columnWidth + grid.gap
                y: (index % grid.rowsPerColumn) * (grid.rowHeight + grid.gap)
                width: grid.columnWidth
                height: grid.rowHeight
                radius: 3
                color: rowArea.containsMouse || row.isSelected ? Theme.colorGray0 : Theme.panelColor
                border.width: 1
                border.color: row.isSelected || rowArea.containsMouse ? Theme.colorPrimary
                                                                      : Theme.panelBorder
                opacity: row.isFixed ? 0.6 : 1.0
                Accessible.role: Accessible.Button
                Accessible.name: "Button " + (index + 1)
                Accessible.description: shownText
                Accessible.onPressAction: page.selectButton(index)
                enabled: !isFixed
                activeFocusOnTab: !isFixed
                Keys.onPressed: event => KeyFocus.press(event, row, () => page.selectButton(row.index))
                FocusRing {}

                Rectangle {
                    id: badge

                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    width: 22
                    height: 22
                    radius: 11
                    color: row.isSelected ? Theme.colorPrimary : Theme.colorGray0
                    border.width: 1.5
                    border.color: Theme.colorPrimary

                    Text {
                        anchors.centerIn: parent
                        text: row.index + 1
                        color: row.isSelected ? Theme.colorGray0 : Theme.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontMinSize + 1
                        font.bold: true
                    }
                }

                Text {
                    objectName: "keyText" + row.index
                    anchors.left: badge.right
                    anchors.leftMargin: 12
                    anchors.right: arrow.left
                    anchors.rightMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    text: row.shownText
                    color: row.isSelected ? Theme.colorPrimary : row.isFixed ? Theme.colorGray2 : Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }

                Image {
                    id: arrow

                    anchors.right: parent.right
                    anchors.rightMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    width: 10
                    height: 6
                    rotation: -90
                    source: Images.arrowDown
                    smooth: true
                    visible: !row.isFixed
                    opacity: rowArea.containsMouse || row.isSelected ? 1.0 : 0.5
                }

                MouseArea {
                    id: rowArea

                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: page.selectButton(row.index)
                }
            }
        }
    }

    KeyAssigment {
        id: keyMenu

        parent: page.overlay
        anchors.fill: parent
        z: 50
        labels: page.labels
        mouseMode: page.mouseMode
        onCodeChosen: (code) => page.applyCode(code)
        onFireRequested: {
            keyMenu.close()
            fireDialog.open(page.codes[page.mouseMode][page.selectedButton])
        }
        onGroupRequested: {
            keyMenu.close()
            groupDialog.open(page.codes[page.mouseMode][page.selectedButton])
        }
        onMacroRequested: {
            keyMenu.close()
            const code = page.codes[page.mouseMode][page.selectedButton]
            macroDialog.open(page.selectedButton, code,
                             code[0] === 4 ? page.storedMacroName(page.mouseMode, code[2], false) : "")
        }
        onResetRequested: page.resetButton()
        onDismissed: {
            keyMenu.close()
            page.selectedButton = -1
        }
    }

    FireKeyAssigment {
        id: fireDialog

        parent: page.overlay
        z: 60
        labels: page.labels
        onChosen: (code) => page.applyCode(code)
        onVisibleChanged: if (!visible && !groupDialog.visible && !macroDialog.visible
                                  && !warning.visible) page.selectedButton = -1
    }

    GroupKeyAssigment {
        id: groupDialog

        parent: page.overlay
        z: 60
        labels: page.labels
        onChosen: (code) => page.applyCode(code)
        onVisibleChanged: if (!visible && !fireDialog.visible && !macroDialog.visible
                                  && !warning.visible) page.selectedButton = -1
    }

    MacroKeyAssigment {
        id: macroDialog

        parent: page.overlay
        z: 60
        view: page.view
        labels: page.labels
        onChosen: (entry, runMode) => page.applyMacro(entry, runMode)
        onVisibleChanged: if (!visible && !fireDialog.visible && !groupDialog.visible
                                  && !warning.visible) page.selectedButton = -1
    }

    WarningAssigment {
        id: warning

        parent: page.overlay
        z: 70
        warningAssigmentLang: page.warningAssigmentLang
        onClosed: page.selectedButton = -1
    }
}
