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
    readonly property var shownTexts: Texts.shown(panel.gunControlLang, panel.englishLang)
    readonly property var builtInNames: ["M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"]
    // Gun list positions of the three slots.
    property var selectGun: [0, 1, 2]
    property int currentSlot: 0
    property int currentGun: 0
    // Every field as text, the way the gun store keeps it.
    readonly property ListModel gunList: ListModel {}
    readonly property bool isDialogOpen: panel.visible

    signal sendKeyMatrix()

    objectName: "gunControl"
    visible: false
    width: 780
    height: 460
    title: panel.shownTexts[0]
    cancelButton: closeButton

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
        gunRows.finishRename(false)
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
        gunRows.showSlots()
        panel.loadGun()
    }

    // The factory's three guns, each a little stronger than the last.
    function resetData() {
        gunRows.finishRename(false)
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
        gunRows.showSlots()
        panel.loadGun()
        panel.visible = true
    }

    function close() {
        gunRows.finishRename(true)
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
        aim.closeFocus()
        fire.closeFocus()
        gunRows.finishRename(true)
    }

    function chooseSlot(slot: int) {
        panel.closeFocus()
        panel.currentSlot = slot
        panel.currentGun = panel.selectGun[slot]
        gunRows.showSlots()
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

    function loadGun() {
        const gun = panel.currentGun
        aim.show(panel.field(gun, "gunX"), panel.field(gun, "gunY"))
        fire.show(panel.field(gun, "gunPeriod"), panel.field(gun, "gunTimes"))
    }

    function setY(text: string) {
        aim.showY(text)
        if (text === panel.field(panel.currentGun, "gunY"))
            return
        panel.setField(panel.currentGun, "gunY", text)
        panel.saveData(panel.currentGun, false)
    }

    function setPeriod(text: string) {
        fire.showPeriod(text)
        const period = String(SceneLogic.periodFromText(text))
        if (period === panel.field(panel.currentGun, "gunPeriod"))
            return
        panel.setField(panel.currentGun, "gunPeriod", period)
        panel.saveData(panel.currentGun, false)
    }

    function setTimes(text: string) {
        fire.showTimes(text)
        if (text === panel.field(panel.currentGun, "gunTimes"))
            return
        panel.setField(panel.currentGun, "gunTimes", text)
        panel.saveData(panel.currentGun, false)
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
        gunRows.showSlots()
        panel.loadGun()
    }

    Binding {
        target: panel
        property: "parent"
        value: panel.overlayParent
        when: panel.overlayParent !== null
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

    GunList {
        id: gunRows

        x: 22
        y: 44
        guns: panel.gunList
        texts: panel.shownTexts
        selectGun: panel.selectGun
        currentSlot: panel.currentSlot
        currentGun: panel.currentGun
        onSlotChosen: function(slot) { panel.chooseSlot(slot) }
        onGunChosen: function(gun) { panel.chooseGun(gun) }
        onRenameStarting: panel.closeFocus()
        onRenamed: function(gun, text) { panel.renameGun(gun, text) }
    }

    GunTarget {
        id: aim

        x: 400
        y: 44
        texts: panel.shownTexts
        onTouched: panel.closeFocus()
        onYChosen: function(text) { panel.setY(text) }
    }

    GunFireSettings {
        id: fire

        x: 400
        y: 296
        texts: panel.shownTexts
        onOpening: aim.closeFocus()
        onPeriodChosen: function(text) { panel.setPeriod(text) }
        onTimesChosen: function(text) { panel.setTimes(text) }
    }
}
