pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The recoil tables of the six guns and which of them fill the mouse's three
// gun slots. Every edit is stored at once; the mouse only hears about it when
// the panel closes after a change: the three slots, then the button
// assignment, whose gun matrices carry the firing periods.
DialogFrame {
    id: panel

    property var view: null
    property var gunControlLang: []
    // The panel moves itself there, so it sits over the frame's mask.
    property Item overlayParent: null
    property bool isSave: false

    readonly property var englishLang: ["Gun editor", "Gun", "Select gun", "Cursor Adjust",
        "X Axis", "Y axis", "Fire adjust", "Rate", "Times", "Endness"]
    readonly property var builtInNames: ["M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"]
    // Gun list positions of the three slots.
    property var selectGun: [0, 1, 2]
    property int currentSlot: 0
    property int currentGun: 0
    property int renameIndex: -1
    // Every field as text, the way the gun store keeps it.
    readonly property ListModel gunList: ListModel {}
    readonly property bool isDialogOpen: panel.visible

    signal sendKeyMatrix()

    objectName: "gunControl"
    visible: false
    width: 780
    height: 460
    title: panel.label(0)
    cancelButton: closeButton

    function label(i: int): string {
        const text = panel.gunControlLang ? panel.gunControlLang[i] : undefined
        return text ? String(text) : panel.englishLang[i]
    }

    function field(gun: int, role: string): string {
        return String(panel.gunList.get(gun)[role])
    }

    function setField(gun: int, role: string, value: string) {
        panel.gunList.setProperty(gun, role, value)
    }

    function numberOf(text: string): int {
        const value = parseInt(text)
        return isNaN(value) ? 0 : value
    }

    function gunNames(): var {
        const names = []
        for (let i = 0; i < panel.gunList.count; ++i)
            names.push(panel.field(i, "gunName"))
        return names
    }

    // name, key, period, X, Y, times
    function record(gun: int): var {
        const out = []
        for (const role of ["gunName", "gunKey", "gunPeriod", "gunX", "gunY", "gunTimes"])
            out.push(panel.field(gun, role))
        return out
    }

    function fillBuiltIn() {
        panel.gunList.clear()
        for (const name of panel.builtInNames)
            panel.gunList.append({ gunName: name, gunImage: Images.gun(name), gunKey: "L-Click",
                                   gunPeriod: "10", gunX: "0", gunY: "10", gunTimes: "0" })
    }

    function init() {
        panel.finishRename(false)
        panel.closeFocus()
        panel.showStored()
        panel.selectGun = GunRules.selection(panel.view.getGlobalData("mouse/selectGun"))
        panel.chooseSlot(0)
    }

    // Every gun as the table holds it; one it does not hold is the factory's.
    function showStored() {
        panel.fillBuiltIn()
        for (let i = 0; i < panel.gunList.count; ++i) {
            const stored = panel.view.getGunData(i)
            if (!stored || stored.length < 6)
                continue
            panel.gunList.set(i, { gunName: String(stored[0]), gunKey: String(stored[1]),
                                   gunPeriod: String(stored[2]), gunX: String(stored[3]),
                                   gunY: String(stored[4]), gunTimes: String(stored[5]) })
        }
    }

    // After a write the table refused the panel shows what it still holds.
    function showStoredAfterFailure() {
        panel.showStored()
        panel.showSlots()
        panel.loadGun()
    }

    // The factory's three guns, each a little stronger than the last.
    function resetData() {
        panel.finishRename(false)
        panel.closeFocus()
        panel.selectGun = [0, 1, 2]
        panel.view.setGlobalData("mouse/selectGun", panel.selectGun)
        const ys = ["5", "7", "8"]
        for (let gun = 0; gun < 3; ++gun) {
            panel.setField(gun, "gunY", ys[gun])
            panel.setField(gun, "gunPeriod", "9")
            panel.saveData(gun, false)
            panel.sendData(gun)
        }
        panel.chooseSlot(0)
    }

    function sendData(slot: int) {
        const gun = panel.selectGun[slot]
        panel.view.mouseSendGundata(slot + 1, [panel.numberOf(panel.field(gun, "gunTimes")),
                                               panel.numberOf(panel.field(gun, "gunX")),
                                               panel.numberOf(panel.field(gun, "gunY"))])
    }

    function saveData(index: int, isAllSave: bool) {
        let stored = true
        const first = isAllSave ? 0 : index
        const last = isAllSave ? panel.gunList.count - 1 : index
        for (let gun = first; gun <= last; ++gun)
            stored = panel.view.mouseSaveGundata(gun, panel.record(gun)) !== false && stored
        if (stored)
            panel.isSave = true
        else
            panel.showStoredAfterFailure()
    }

    function open() {
        panel.closeFocus()
        panel.showSlots()
        panel.loadGun()
        panel.visible = true
    }

    function close() {
        panel.finishRename(true)
        panel.closeFocus()
        panel.visible = false
        if (!panel.isSave)
            return
        panel.isSave = false
        for (let slot = 0; slot < 3; ++slot)
            panel.sendData(slot)
        panel.sendKeyMatrix()
    }

    // Ends typing in the fields (which stores what was typed) and folds the
    // period list away.
    function closeFocus() {
        yInput.closeFocus()
        timesInput.closeFocus()
        periodList.closeMenu()
        panel.finishRename(true)
    }

    function chooseSlot(slot: int) {
        panel.closeFocus()
        panel.currentSlot = slot
        panel.currentGun = panel.selectGun[slot]
        panel.showSlots()
        panel.loadGun()
    }

    function chooseGun(gun: int) {
        panel.closeFocus()
        if (panel.selectGun[panel.currentSlot] !== gun) {
            const chosen = panel.selectGun.slice()
            chosen[panel.currentSlot] = gun
            panel.selectGun = chosen
            panel.view.setGlobalData("mouse/selectGun", chosen)
            panel.isSave = true
        }
        panel.currentGun = gun
        panel.loadGun()
    }

    // The radio buttons keep their own state once clicked.
    function showSlots() {
        slot0.isSelect = panel.currentSlot === 0
        slot1.isSelect = panel.currentSlot === 1
        slot2.isSelect = panel.currentSlot === 2
    }

    function showText(input: RectInput, text: string) {
        input.textValue = text
        input.txtInput.text = text
    }

    function loadGun() {
        const gun = panel.currentGun
        xText.text = panel.field(gun, "gunX")
        panel.showText(yInput, panel.field(gun, "gunY"))
        dot.y = GunRules.dotFromY(panel.field(gun, "gunY"))
        const period = panel.field(gun, "gunPeriod")
        periodList.setValue(GunRules.periodRatio(period))
        periodList.textValue = SceneLogic.periodText(panel.numberOf(period))
        panel.showText(timesInput, panel.field(gun, "gunTimes"))
        endness.isSelect = panel.field(gun, "gunTimes") === "0"
    }

    function setY(text: string) {
        panel.showText(yInput, text)
        dot.y = GunRules.dotFromY(text)
        if (text === panel.field(panel.currentGun, "gunY"))
            return
        panel.setField(panel.currentGun, "gunY", text)
        panel.saveData(panel.currentGun, false)
    }

    // The dot follows the pointer; the value is stored once it is let go.
    function moveDot(pointerY: real) {
        dot.y = GunRules.clampDot(pointerY - dot.height / 2)
        panel.showText(yInput, String(SceneLogic.gunYFromDot(dot.y)))
    }

    function setPeriod(text: string) {
        periodList.textValue = text
        const period = String(SceneLogic.periodFromText(text))
        if (period === panel.field(panel.currentGun, "gunPeriod"))
            return
        panel.setField(panel.currentGun, "gunPeriod", period)
        panel.saveData(panel.currentGun, false)
    }

    function setTimes(text: string) {
        panel.showText(timesInput, text)
        endness.isSelect = text === "0"
        if (text === panel.field(panel.currentGun, "gunTimes"))
            return
        panel.setField(panel.currentGun, "gunTimes", text)
        panel.saveData(panel.currentGun, false)
    }

    function startRename(gun: int) {
        panel.closeFocus()
        panel.renameIndex = gun
        nameInput.text = panel.field(gun, "gunName")
        nameInput.forceActiveFocus()
        nameInput.selectAll()
    }

    function finishRename(accept: bool) {
        const gun = panel.renameIndex
        if (gun < 0)
            return
        panel.renameIndex = -1
        nameInput.focus = false
        if (accept)
            panel.renameGun(gun, nameInput.text)
    }

    // A name another gun already has (or its own) changes nothing. The store
    // keeps the record under the new name too, and the record by position is
    // written again so that the name comes back at the next start.
    function renameGun(gun: int, text: string): bool {
        const name = text.trim()
        const names = panel.gunNames()
        if (GunRules.nameTaken(names, name))
            return false
        const oldName = names[gun]
        panel.setField(gun, "gunName", name)
        names[gun] = name
        if (panel.view.modifyGundata(1, panel.record(gun).concat([oldName])) === false
                || panel.view.mouseSaveGundata(gun, panel.record(gun)) === false) {
            panel.showStoredAfterFailure()
            return false
        }
        panel.view.updataNameList(1, names)
        return true
    }

    Component.onCompleted: {
        panel.fillBuiltIn()
        panel.showSlots()
        panel.loadGun()
    }

    Binding {
        target: panel
        property: "parent"
        value: panel.overlayParent
        when: panel.overlayParent !== null
    }

    component SectionTitle: Row {
        property alias text: caption.text

        spacing: 8
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 3
            height: 14
            radius: 1
            color: Theme.colorPrimary
        }
        Text {
            id: caption
            anchors.verticalCenter: parent.verticalCenter
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            font.bold: true
        }
    }

    component FieldLabel: Text {
        width: 72
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        elide: Text.ElideRight
    }

    component SlotChoice: RadioButton {
        required property int slot

        objectName: "gunSlot" + slot
        index: slot
        Accessible.name: textValue
    }

    CloseButton {
        id: closeButton

        objectName: "gunClose"
        x: panel.width - width - 10
        y: 8
        width: 16
        height: 16
        reach: 4
        onClicked: panel.close()
    }

    // ---- left: the slots and the gun list ----

    SectionTitle {
        x: 22
        y: 44
        text: panel.label(2)
    }

    Row {
        x: 22
        y: 74
        spacing: 28

        SlotChoice {
            id: slot0
            slot: 0
            textValue: panel.label(1) + "1"
            onBtnClick: panel.chooseSlot(0)
        }
        SlotChoice {
            id: slot1
            slot: 1
            textValue: panel.label(1) + "2"
            onBtnClick: panel.chooseSlot(1)
        }
        SlotChoice {
            id: slot2
            slot: 2
            textValue: panel.label(1) + "3"
            onBtnClick: panel.chooseSlot(2)
        }
    }

    Item {
        id: listArea

        readonly property int pitch: 56

        x: 22
        y: 100
        width: 350
        height: panel.gunList.count * listArea.pitch

        Repeater {
            model: panel.gunList

            Rectangle {
                id: row

                required property int index
                required property string gunName
                required property string gunImage
                readonly property bool isCurrent: index === panel.currentGun

                objectName: "gunRow" + index
                y: index * listArea.pitch
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
                Accessible.onPressAction: panel.chooseGun(row.index)

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

                            visible: panel.selectGun[mark.index] === row.index
                            width: 18
                            height: 16
                            radius: 2
                            color: mark.index === panel.currentSlot ? Theme.colorPrimary : Theme.colorGray6

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
                    onClicked: panel.chooseGun(row.index)
                    onDoubleClicked: panel.startRename(row.index)
                }
            }
        }

        // Opened over the name of the gun being renamed.
        Rectangle {
            objectName: "gunNameBox"
            x: 136
            y: panel.renameIndex * listArea.pitch + 15
            width: 130
            height: 24
            radius: 2
            visible: panel.renameIndex >= 0
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
                Keys.onReturnPressed: panel.finishRename(true)
                Keys.onEnterPressed: panel.finishRename(true)
                Keys.onEscapePressed: panel.finishRename(false)
                onActiveFocusChanged: if (!activeFocus) panel.finishRename(true)
            }
        }
    }

    // ---- right: the pull-down correction and the firing ----

    SectionTitle {
        x: 400
        y: 44
        text: panel.label(3)
    }

    Image {
        id: target

        objectName: "gunTarget"
        x: 400
        y: 74
        width: 200
        height: 200
        source: Images.gunTarget
        sourceSize.width: 200
        sourceSize.height: 200
        Accessible.role: Accessible.Slider
        Accessible.name: panel.label(5)
        Accessible.description: yInput.textValue

        Rectangle {
            id: dot

            objectName: "gunDot"
            x: (target.width - width) / 2
            y: GunRules.dotTop
            width: 22
            height: 22
            radius: 11
            color: Theme.colorTransparent
            border.width: 2
            border.color: Theme.colorPrimary
            Accessible.role: Accessible.Indicator
            Accessible.name: "Recoil dot"

            Rectangle {
                anchors.centerIn: parent
                width: 8
                height: 8
                radius: 4
                color: Theme.colorPrimary
            }
        }

        // A press anywhere on the target brings the dot under the pointer.
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.SizeVerCursor
            onPressed: mouse => {
                panel.closeFocus()
                panel.moveDot(mouse.y)
            }
            onPositionChanged: mouse => panel.moveDot(mouse.y)
            onReleased: panel.setY(String(SceneLogic.gunYFromDot(dot.y)))
        }
    }

    Grid {
        x: 624
        y: 110
        columns: 2
        rowSpacing: 26
        columnSpacing: 8
        verticalItemAlignment: Grid.AlignVCenter

        FieldLabel {
            text: panel.label(4)
        }
        Text {
            id: xText

            objectName: "gunX"
            width: 48
            horizontalAlignment: Text.AlignHCenter
            color: Theme.colorGray2
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            Accessible.role: Accessible.StaticText
            Accessible.name: panel.label(4) + " " + text
        }
        FieldLabel {
            text: panel.label(5)
        }
        RectInput {
            id: yInput

            objectName: "gunY"
            minValue: 0
            maxValue: GunRules.maxY
            txtInput.maximumLength: 2
            Accessible.name: panel.label(5)
            onEndInputSignal: panel.setY(yInput.textValue)
        }
    }

    SectionTitle {
        x: 400
        y: 296
        text: panel.label(6)
    }

    // Spaced so that the open period list clears the times row.
    Column {
        x: 400
        y: 326
        spacing: 30

        Row {
            z: 2
            spacing: 8
            height: 24

            FieldLabel {
                anchors.verticalCenter: parent.verticalCenter
                text: panel.label(7)
            }
            DropDownSlider {
                id: periodList

                objectName: "gunPeriod"
                width: 240
                Accessible.name: panel.label(7)
                onBtnClick: {
                    yInput.closeFocus()
                    timesInput.closeFocus()
                }
                onValueChange: function(tmpValue) {
                    periodList.textValue = SceneLogic.periodText(
                        GunRules.periodFromKnob(tmpValue, periodList.sliderControl.width))
                }

                // Let go of the knob, or its glide after a click on the track ended.
                Connections {
                    target: periodList.sliderControl
                    function onValueChangeDelay(tmpValue: int) {
                        panel.setPeriod(periodList.textValue)
                    }
                }
            }
        }

        Row {
            spacing: 8
            height: 24

            FieldLabel {
                anchors.verticalCenter: parent.verticalCenter
                text: panel.label(8)
            }
            RectInput {
                id: timesInput

                objectName: "gunTimes"
                anchors.verticalCenter: parent.verticalCenter
                minValue: 0
                maxValue: 255
                txtInput.maximumLength: 3
                Accessible.name: panel.label(8)
                onEndInputSignal: panel.setTimes(timesInput.textValue)
            }
            Item {
                width: 16
                height: 1
            }
            CheckBox {
                id: endness

                objectName: "gunEndness"
                anchors.verticalCenter: parent.verticalCenter
                textValue: panel.label(9)
                Accessible.name: panel.label(9)
                // Unticking has no count to go back to: the box stays ticked
                // and the count field waits for one.
                onBtnClick: {
                    if (endness.isSelect) {
                        timesInput.closeFocus()
                        panel.setTimes("0")
                    } else if (panel.field(panel.currentGun, "gunTimes") === "0") {
                        endness.isSelect = true
                        timesInput.txtInput.forceActiveFocus()
                        timesInput.txtInput.selectAll()
                    }
                }
            }
        }
    }
}
