pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The mouse's lighting: effect, speed, brightness, direction and the colour
// blocks of the active preset, plus up to four named presets per profile.
// Edits stay in the page until saveData writes them to the profile and sends
// them to the mouse; the preset panel writes the profile at once.
Item {
    id: page

    property var view: null
    property var lightControlLang: []
    property Item overlayParent: null
    property bool isSave: false

    readonly property var englishLang: ["Light", "Static", "Breath", "Neon", "OFF", "Speed",
        "Color", "Brightness", "Twinkling", "Wave", "Gliding", "Finger Moving",
        "Vertical Flipping", "YO-YO", "Spotlight", "Breath Loop", "MODE", "Circulating Water",
        "Symmetrical Flow", "Direction", "clockwise", "anti clockwise", "up", "down",
        "BACKLIGHT PRESET", "New", "Delete", "Confirm"]
    readonly property var shownTexts: Texts.shown(page.lightControlLang, page.englishLang)
    readonly property int speedSegments: 5
    readonly property int brightnessSegments: 10

    // Position in the effect list (not the effect code).
    property int effectIndex: 0
    property int speedValue: 2
    property int brightnessValue: 8
    property int directionValue: 0
    property var blockColors: ["#ff0000", "#ff8000", "#ffff00", "#80ff00", "#00ff00",
        "#00ff80", "#00ffff", "#0080ff", "#0000ff", "#8000ff", "#ff00ff", "#ff0080",
        "#ffffff", "#ffa040", "#40a0ff"]
    property int colorIndex: 0

    property var presetNames: [LightRules.defaultName(1)]
    property int presetNo: 0

    readonly property var enables: LightRules.controls(page.effectIndex)
    readonly property bool isDialogOpen: presetPanel.visible
    readonly property Item overlay: page.overlayParent ? page.overlayParent : page

    width: 1152
    height: 525.6

    onLightControlLangChanged: page.fillEffects()
    // A click selects a radio button by itself, so the pair is set, not bound.
    onDirectionValueChanged: page.showDirection()
    Component.onCompleted: {
        page.fillEffects()
        page.showDirection()
        colourPicker.showFields()
        speedSlider.setIndexValue(page.speedValue, false)
        brightnessSlider.setIndexValue(page.brightnessValue, false)
    }

    function fillEffects() {
        for (let p = 0; p < LightRules.effectLabels.length; ++p) {
            const text = page.shownTexts[LightRules.effectLabels[p]]
            if (p < effectModel.count)
                effectModel.setProperty(p, "textValue", text)
            else
                effectModel.append({ textValue: text })
        }
        effectList.textValue = page.shownTexts[LightRules.effectLabels[page.effectIndex]]
    }

    // ---- reading and writing the profile ----

    function readPresetList() {
        const count = LightRules.clampInt(page.view.getData("mouseLight/lightCount", false),
                                          1, LightRules.maxPresets, 1)
        const stored = SceneLogic.storedList(page.view.getDataList("mouseLight/lightName", false))
        const names = []
        for (let i = 0; i < count; ++i)
            names.push(i < stored.length && stored[i] !== "" ? stored[i] : LightRules.freeName(names))
        page.presetNames = names
        page.presetNo = LightRules.clampInt(page.view.getData("mouseLight/lightNo", false),
                                            0, count - 1, 0)
    }

    // Puts preset `preset`'s stored values into the controls; what a key lacks
    // keeps the value the control holds.
    function loadPreset(preset: int, isRecovery: bool) {
        const values = page.view.getDataList(LightRules.presetKey("lightValue", preset), isRecovery)
        const colors = page.view.getDataList(LightRules.presetKey("colorValue", preset), isRecovery)
        const index = page.view.getData(LightRules.presetKey("colorIndex", preset), isRecovery)
        if (values && values.length >= 4) {
            page.applyEffect(LightRules.effectPosition(values[0]))
            page.speedValue = LightRules.clampInt(values[1], 0, page.speedSegments, page.speedValue)
            page.brightnessValue = LightRules.clampInt(values[2], 0, page.brightnessSegments,
                                                       page.brightnessValue)
            page.directionValue = LightRules.clampInt(values[3], 0, 1, page.directionValue)
        }
        speedSlider.setIndexValue(page.speedValue, false)
        brightnessSlider.setIndexValue(page.brightnessValue, false)
        if (colors && colors.length >= LightRules.blockCount * 3) {
            const blocks = []
            for (let b = 0; b < LightRules.blockCount; ++b)
                blocks.push(SceneLogic.bytesToColor(Stored.intOr(colors[3 * b], 0),
                                                    Stored.intOr(colors[3 * b + 1], 0),
                                                    Stored.intOr(colors[3 * b + 2], 0)))
            page.blockColors = blocks
        }
        page.colorIndex = LightRules.clampInt(index, 0, LightRules.blockCount - 1, page.colorIndex)
        colourPicker.showFields()
    }

    function init(isSendData, isRecovery) {
        page.closeMenu()
        if (!isRecovery)
            page.readPresetList()
        page.loadPreset(page.presetNo, !!isRecovery)
        if (isSendData)
            page.saveData(true)
    }

    function saveData(isSendData, unused) {
        const effect = LightRules.effectCode(page.effectIndex)
        const values = [effect, page.speedValue, page.brightnessValue, page.directionValue]
        const colors = []
        for (let b = 0; b < LightRules.blockCount; ++b)
            colors.push(...SceneLogic.colorToBytes(page.blockColors[b]))
        page.view.setData("mouseLight/lightNo", page.presetNo)
        page.view.setData("mouseLight/lightCount", page.presetNames.length)
        page.view.setData(LightRules.presetKey("colorIndex", page.presetNo), page.colorIndex)
        page.view.setDataList(LightRules.presetKey("lightValue", page.presetNo), values)
        page.view.setDataList(LightRules.presetKey("colorValue", page.presetNo), colors)
        page.view.setDataList("mouseLight/lightName", SceneLogic.listToStore(page.presetNames))
        if (!isSendData)
            return
        const chosen = SceneLogic.colorToBytes(page.blockColors[page.colorIndex])
        const rgb = []
        for (let b = 0; b < LightRules.blockCount; ++b)
            rgb.push(...chosen)
        page.view.mouseSetLedType(effect, page.brightnessValue * 5, page.speedValue,
                                  page.directionValue, rgb)
    }

    function closeMenu() {
        effectList.closeMenu()
    }

    function closeFocus() {
        colourPicker.closeFocus()
        presetPanel.closeFocus()
    }

    // ---- the controls ----

    function applyEffect(position: int) {
        page.effectIndex = position
        effectList.currentSelect = position
        effectList.textValue = page.shownTexts[LightRules.effectLabels[position]]
    }

    function chooseDirection(direction: int) {
        page.closeMenu()
        page.directionValue = direction
        page.showDirection()
        page.isSave = true
    }

    function showDirection() {
        direction0.isSelect = page.directionValue === 0
        direction1.isSelect = page.directionValue === 1
    }

    function selectBlock(index: int) {
        page.closeMenu()
        page.closeFocus()
        if (index !== page.colorIndex)
            page.isSave = true
        page.colorIndex = index
        colourPicker.showFields()
    }

    function setBlockColor(color: string) {
        const blocks = page.blockColors.slice()
        blocks[page.colorIndex] = color
        page.blockColors = blocks
        colourPicker.showFields()
        page.isSave = true
    }

    function chooseHue(color: string) {
        page.closeMenu()
        page.closeFocus()
        page.setBlockColor(color)
    }

    // ---- presets ----

    function openPresets() {
        page.closeMenu()
        page.closeFocus()
        presetPanel.visible = true
    }

    function newPreset() {
        if (page.presetNames.length >= LightRules.maxPresets)
            return
        const names = page.presetNames.slice()
        names.push(LightRules.freeName(names))
        page.presetNames = names
        page.presetNo = names.length - 1
        page.loadPreset(page.presetNo, true)
        page.isSave = true
        page.saveData(false)
    }

    function renamePreset(index: int, name: string) {
        const trimmed = name.trim()
        if (trimmed === "" || page.presetNames.indexOf(trimmed) >= 0)
            return
        const names = page.presetNames.slice()
        names[index] = trimmed
        page.presetNames = names
        page.saveData(false)
    }

    function selectPreset(index: int) {
        presetPanel.closeFocus()
        page.presetNo = index
        page.loadPreset(index, false)
        page.isSave = true
    }

    // The presets behind the deleted one move up one number, stored values and all.
    function deletePreset() {
        const count = page.presetNames.length
        if (count <= 1)
            return
        presetPanel.closeFocus()
        const gone = page.presetNo
        for (let i = gone; i < count - 1; ++i) {
            for (const base of ["lightValue", "colorValue"])
                page.view.setDataList(LightRules.presetKey(base, i),
                                      page.view.getDataList(LightRules.presetKey(base, i + 1), false))
            page.view.setData(LightRules.presetKey("colorIndex", i),
                              page.view.getData(LightRules.presetKey("colorIndex", i + 1), false))
        }
        const names = page.presetNames.slice()
        names.splice(gone, 1)
        page.presetNames = names
        page.presetNo = Math.max(0, gone - 1)
        page.loadPreset(page.presetNo, false)
        page.isSave = true
        page.saveData(false)
    }

    function confirmPresets() {
        presetPanel.closeFocus()
        page.saveData(false)
        presetPanel.visible = false
    }

    // ---- layout ----

    component Caption: Text {
        width: 130
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Row {
        id: header
        x: 0
        y: 0
        height: 32
        spacing: 8

        Image {
            anchors.verticalCenter: parent.verticalCenter
            width: 24
            height: 24
            source: Images.lightIcon
            smooth: true
        }
        Text {
            objectName: "lightTitle"
            anchors.verticalCenter: parent.verticalCenter
            text: page.shownTexts[0]
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMaxSize
            font.bold: true
        }
    }

    Caption {
        x: 0
        y: 60
        text: page.shownTexts[16]
    }

    Caption {
        x: 0
        y: 110
        text: page.shownTexts[5]
        opacity: page.enables.speed ? 1.0 : 0.5
    }
    SliderButton {
        id: speedSlider
        objectName: "lightSpeed"
        x: 140
        y: 114
        width: 340
        isScale: true
        segment: page.speedSegments
        enabled: page.enables.speed
        opacity: enabled ? 1.0 : 0.5
        Accessible.name: page.shownTexts[5]
        onBtnClick: page.closeMenu()
        onValueChangeDelay: {
            page.speedValue = speedSlider.segmentValue
            page.isSave = true
        }
    }

    Caption {
        x: 0
        y: 160
        text: page.shownTexts[7]
        opacity: page.enables.brightness ? 1.0 : 0.5
    }
    SliderButton {
        id: brightnessSlider
        objectName: "lightBrightness"
        x: 140
        y: 164
        width: 340
        isScale: true
        segment: page.brightnessSegments
        enabled: page.enables.brightness
        opacity: enabled ? 1.0 : 0.5
        Accessible.name: page.shownTexts[7]
        onBtnClick: page.closeMenu()
        onValueChangeDelay: {
            page.brightnessValue = brightnessSlider.segmentValue
            page.isSave = true
        }
    }

    Caption {
        x: 0
        y: 210
        text: page.shownTexts[19]
        opacity: page.enables.direction ? 1.0 : 0.5
    }
    Row {
        x: 140
        y: 210
        height: 20
        spacing: 40
        enabled: page.enables.direction
        opacity: enabled ? 1.0 : 0.5

        RadioButton {
            id: direction0
            objectName: "lightDirection0"
            anchors.verticalCenter: parent.verticalCenter
            index: 0
            textValue: page.shownTexts[20]
            onBtnClick: page.chooseDirection(0)
        }
        RadioButton {
            id: direction1
            objectName: "lightDirection1"
            anchors.verticalCenter: parent.verticalCenter
            index: 1
            textValue: page.shownTexts[21]
            onBtnClick: page.chooseDirection(1)
        }
    }

    Caption {
        x: 0
        y: 264
        text: page.shownTexts[6]
    }
    LightColourPicker {
        id: colourPicker
        x: 0
        y: 294
        colors: page.blockColors
        chosen: page.colorIndex
        blockText: page.shownTexts[6]
        onBlockChosen: function(index) { page.selectBlock(index) }
        onHueChosen: function(color) { page.chooseHue(color) }
        onColorTyped: function(color) { page.setBlockColor(color) }
    }

    Caption {
        x: 0
        y: 440
        width: 200
        text: page.shownTexts[24]
    }
    TextButton {
        objectName: "lightPresetOpen"
        x: 200
        y: 436
        framed: true
        text: page.presetNames[page.presetNo] || ""
        Accessible.name: page.shownTexts[24] + ": " + text
        onClicked: page.openPresets()
    }

    ShownImage {
        objectName: "lightMouseSide"
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        width: 420
        height: 420
        fillMode: Image.PreserveAspectFit
        picture: Images.mouseSide
        asynchronous: true
    }

    // Declared last so its open list lies over the rows below it.
    DropDownList {
        id: effectList
        objectName: "lightEffectList"
        x: 140
        y: 58
        width: 220
        mdItems: effectModel
        count: effectModel.count
        currentSelect: 0
        Accessible.name: page.shownTexts[16]
        onValueChange: function(index) {
            page.applyEffect(index)
            page.isSave = true
        }
    }

    ListModel {
        id: effectModel
    }

    LightPreset {
        id: presetPanel
        objectName: "lightPresetPanel"
        parent: page.overlay
        z: 60
        visible: false
        title: page.shownTexts[24]
        names: page.presetNames
        activeIndex: page.presetNo
        maxCount: LightRules.maxPresets
        newText: page.shownTexts[25]
        deleteText: page.shownTexts[26]
        confirmText: page.shownTexts[27]
        onPresetClicked: function(index) { page.selectPreset(index) }
        onRenameRequested: function(index, name) { page.renamePreset(index, name) }
        onNewClicked: page.newPreset()
        onDeleteClicked: page.deletePreset()
        onConfirmClicked: page.confirmPresets()
    }
}
