pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// DPI stages of the current profile: the value of every stage, the indicator
// colours and the number of stages in use. Edits stay in the page until
// saveData writes them to the profile and sends them to the mouse.
Item {
    id: page

    property var view: null
    readonly property var englishLang: ["DPI Setting", "Stage", "Stage colour", "Reset",
        "Number of stages", "R", "G", "B", " OK ", "Cancel", "Current stage"]
    readonly property var shownTexts: Texts.shown(page.dpiSettingLang, page.englishLang)
    property var dpiSettingLang: englishLang
    property bool isSave: false

    property int dpiCount: 8
    property int currentDpiCount: 4
    property int minDPI: 500
    property int maxDPI: 7000
    property string sensorType: "3320"
    property int dpiBase: 500
    property var dpiValueArray: [250, 500, 750, 1000, 1250, 1500, 1750, 2000]
    property var dpiEnableArray: [1, 1, 1, 1, 1, 1, 1, 1]
    property var dpiColorArray: ["#ff0000", "#ff0000", "#ff0000", "#ff0000",
        "#ff0000", "#ff0000", "#ff0000", "#ff0000"]
    // 0-based stage the mouse is in; its slider is drawn in the accent colour.
    property int currentDPI: 0

    // What the rows show: the stage values (saved as they stand) and the six
    // editable swatches. Stages 7 and 8 always light white.
    property var stageValues: dpiValueArray.slice()
    property var swatchColors: dpiColorArray.slice(0, 6)
    property int shownRows: dpiCount

    signal slidersPlaced()

    width: 600
    height: 270

    // Profile lists come back as text; missing entries keep what the page holds.
    function intList(values, current: var): var {
        const list = current.slice()
        if (!values)
            return list
        for (let i = 0; i < list.length && i < values.length; ++i)
            list[i] = Stored.intOr(values[i], list[i])
        return list
    }

    function colorList(values, current: var): var {
        const list = current.slice()
        if (!values)
            return list
        for (let i = 0; i < list.length && i < values.length; ++i) {
            if (values[i])
                list[i] = String(values[i])
        }
        return list
    }

    function init(isSendData, isRecovery) {
        const recovery = !!isRecovery
        page.dpiCount = Stored.intOr(page.view.getData("mouse/dpiCount", recovery), page.dpiCount)
        page.currentDpiCount = Stored.intOr(page.view.getData("mouse/currentDpiCount", recovery),
                                          page.currentDpiCount)
        page.minDPI = Stored.intOr(page.view.getGlobalData("mouse/minDPI"), page.minDPI)
        page.maxDPI = Stored.intOr(page.view.getGlobalData("mouse/maxDPI"), page.maxDPI)
        const sensor = page.view.getGlobalData("mouse/sensorType")
        if (sensor !== undefined && sensor !== null && String(sensor) !== "")
            page.sensorType = String(sensor)
        page.dpiBase = Stored.intOr(page.view.getGlobalData("mouse/dpiBase"), page.dpiBase)
        page.dpiValueArray = page.intList(page.view.getDataList("mouse/dpiValueArray", recovery),
                                          page.dpiValueArray)
        page.dpiEnableArray = page.intList(page.view.getDataList("mouse/dpiEnableArray", recovery),
                                           page.dpiEnableArray)
        page.dpiColorArray = page.colorList(page.view.getDataList("mouse/dpiColorArray", recovery),
                                            page.dpiColorArray)
        page.swatchColors = page.dpiColorArray.slice(0, 6)
        if (page.dpiCount > 8)
            return
        page.stageValues = page.dpiValueArray.slice()
        if (!recovery) {
            stageModel.clear()
            for (let i = 1; i <= page.dpiCount; ++i)
                stageModel.append({ textValue: String(i) })
            stageCountList.count = stageModel.count
            stageCountList.currentSelect = page.currentDpiCount - 1
            stageCountList.textValue = String(page.currentDpiCount)
        }
        page.slidersPlaced()
        page.shownRows = page.dpiCount
        if (isSendData)
            page.saveData(true)
    }

    function saveData(isSendData) {
        const values = page.stageValues.slice()
        const enables = page.dpiEnableArray.slice(0, 8)
        page.view.setDataList("mouse/dpiValueArray", values)
        page.view.setData("mouse/currentDpiCount", page.currentDpiCount)
        page.view.setDataList("mouse/dpiEnableArray", enables)
        if (isSendData)
            page.view.mouseSetDpi(page.currentDpiCount, page.sensorType, values, enables)
        const swatches = page.swatchColors.slice(0, 6)
        page.view.setDataList("mouse/dpiColorArray", swatches)
        const bytes = SceneLogic.stageColorBytes(swatches)
        if (isSendData)
            page.view.mouseSetRGBColor(1, bytes)
    }

    function closeMenu() {
        stageCountList.closeMenu()
    }

    function setStageValue(stage: int, value: int) {
        if (page.stageValues[stage] === value)
            return
        const values = page.stageValues.slice()
        values[stage] = value
        page.stageValues = values
    }

    function setSwatch(stage: int, color: string) {
        const colors = page.swatchColors.slice()
        colors[stage] = color
        page.swatchColors = colors
    }

    function stepStage(stage: int, delta: int) {
        page.closeMenu()
        const current = page.stageValues[stage]
        const next = SceneLogic.dpiStep(current, delta, page.minDPI, page.maxDPI)
        if (next === current)
            return
        page.setStageValue(stage, next)
        page.slidersPlaced()
        page.isSave = true
    }

    function applyStageCount(index: int) {
        page.shownRows = index + 1
        page.currentDpiCount = index + 1
        page.isSave = true
    }

    function openPicker(stage: int) {
        page.closeMenu()
        picker.open(stage, page.swatchColors[stage])
    }

    Row {
        id: header
        x: 0
        y: 0
        width: page.width
        height: 32
        spacing: 8

        Image {
            anchors.verticalCenter: parent.verticalCenter
            width: 24
            height: 24
            source: Images.dpiIcon
            smooth: true
        }
        Text {
            id: titleText
            objectName: "dpiTitle"
            anchors.verticalCenter: parent.verticalCenter
            text: page.shownTexts[0]
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMaxSize
            font.bold: true
        }
        Item {
            width: 16
            height: 1
        }
        Text {
            objectName: "dpiCurrentStage"
            anchors.verticalCenter: parent.verticalCenter
            text: page.shownTexts[10] + ": " + (page.currentDPI + 1)
            color: Theme.colorGray2
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMinSize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }

    Item {
        id: resetButton
        objectName: "dpiReset"
        anchors.right: parent.right
        anchors.rightMargin: 16
        y: 4
        width: resetRow.width
        height: 24
        Accessible.role: Accessible.Button
        Accessible.name: "Reset the DPI stages to factory values"
        Accessible.focusable: true
        Accessible.onPressAction: resetButton.activate()
        activeFocusOnTab: true
        Keys.onPressed: event => KeyFocus.press(event, resetButton, () => resetButton.activate())

        function activate(): void {
            page.closeMenu()
            page.init(false, true)
            page.isSave = true
        }

        FocusRing {}

        Row {
            id: resetRow
            anchors.verticalCenter: parent.verticalCenter
            spacing: 6
            Image {
                anchors.verticalCenter: parent.verticalCenter
                width: 18
                height: 18
                source: Images.dpiReset
                smooth: true
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: page.shownTexts[3]
                color: resetArea.containsMouse ? Theme.colorPrimary : Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
        }
        MouseArea {
            id: resetArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: resetButton.activate()
        }
    }

    Column {
        id: rows
        x: 0
        y: header.height + 6
        width: page.width

        Repeater {
            model: 8

            delegate: Item {
                id: row

                required property int index
                readonly property bool hasPicker: index < 6
                readonly property string swatch: hasPicker ? page.swatchColors[index]
                                                           : Theme.stageColors[7]

                width: rows.width
                height: 29
                visible: index < page.shownRows

                Text {
                    id: stageNo
                    anchors.verticalCenter: parent.verticalCenter
                    width: 20
                    horizontalAlignment: Text.AlignHCenter
                    text: row.index + 1
                    color: row.index === page.currentDPI ? Theme.colorAccent : Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    font.bold: true
                }

                SliderButton {
                    id: slider

                    property bool dragging: false

                    objectName: "dpiSlider" + row.index
                    anchors.left: stageNo.right
                    anchors.leftMargin: 6
                    anchors.verticalCenter: parent.verticalCenter
                    width: 435
                    isScale: false
                    colorS: row.index === page.currentDPI ? Theme.colorAccent : Theme.colorPrimary
                    Accessible.name: page.shownTexts[1] + " " + (row.index + 1) + " DPI"
                    value: page.stageValues[row.index]
                    minimumValue: page.minDPI
                    maximumValue: page.maxDPI
                    stepSize: page.dpiBase

                    onBtnClick: page.closeMenu()
                    onDragSignal: function(isDrag) { slider.dragging = isDrag }
                    // While dragging the text follows the knob; the page turns
                    // dirty only once the knob comes to rest.
                    onValueChange: function(tmpValue) {
                        if (slider.dragging)
                            page.setStageValue(row.index, SceneLogic.dpiFromKnob(
                                tmpValue, page.minDPI, page.maxDPI, page.dpiBase, slider.width))
                    }
                    onValueChangeDelay: function(tmpValue) {
                        page.setStageValue(row.index, SceneLogic.dpiFromKnob(
                            tmpValue, page.minDPI, page.maxDPI, page.dpiBase, slider.width))
                        page.isSave = true
                    }

                    Connections {
                        target: page
                        function onSlidersPlaced() {
                            slider.setRatioValue(SceneLogic.dpiRatio(page.stageValues[row.index],
                                                                     page.minDPI, page.maxDPI))
                        }
                    }
                }

                Text {
                    id: valueText
                    objectName: "dpiValue" + row.index
                    anchors.left: slider.right
                    anchors.leftMargin: 4
                    anchors.verticalCenter: parent.verticalCenter
                    width: 46
                    horizontalAlignment: Text.AlignRight
                    text: page.stageValues[row.index]
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    Accessible.role: Accessible.StaticText
                    Accessible.name: page.shownTexts[1] + " " + (row.index + 1) + ": " + text + " DPI"
                }

                Image {
                    id: minus
                    objectName: "dpiMinus" + row.index
                    anchors.left: valueText.right
                    anchors.leftMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    width: 18
                    height: 18
                    source: Images.dpiMinus
                    smooth: true
                    opacity: minusArea.containsMouse ? 1.0 : 0.8
                    Accessible.role: Accessible.Button
                    Accessible.name: "Lower " + page.shownTexts[1] + " " + (row.index + 1)
                    Accessible.focusable: true
                    Accessible.onPressAction: page.stepStage(row.index, -page.dpiBase)
                    activeFocusOnTab: true
                    Keys.onPressed: event => KeyFocus.press(event, minus, () => page.stepStage(row.index, -page.dpiBase))
                    FocusRing {}

                    MouseArea {
                        id: minusArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: page.stepStage(row.index, -page.dpiBase)
                    }
                }

                Image {
                    id: plus
                    objectName: "dpiPlus" + row.index
                    anchors.left: minus.right
                    anchors.leftMargin: 4
                    anchors.verticalCenter: parent.verticalCenter
                    width: 18
                    height: 18
                    source: Images.dpiPlus
                    smooth: true
                    opacity: plusArea.containsMouse ? 1.0 : 0.8
                    Accessible.role: Accessible.Button
                    Accessible.name: "Raise " + page.shownTexts[1] + " " + (row.index + 1)
                    Accessible.focusable: true
                    Accessible.onPressAction: page.stepStage(row.index, page.dpiBase)
                    activeFocusOnTab: true
                    Keys.onPressed: event => KeyFocus.press(event, plus, () => page.stepStage(row.index, page.dpiBase))
                    FocusRing {}

                    MouseArea {
                        id: plusArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: page.stepStage(row.index, page.dpiBase)
                    }
                }

                Rectangle {
                    id: swatch
                    objectName: "dpiSwatch" + row.index
                    anchors.left: plus.right
                    anchors.leftMargin: 10
                    anchors.verticalCenter: parent.verticalCenter
                    width: 18
                    height: 18
                    radius: 3
                    color: row.swatch
                    border.width: 1
                    border.color: swatchArea.containsMouse ? Theme.colorPrimary : Theme.colorGray2
                    Accessible.role: row.hasPicker ? Accessible.Button : Accessible.Graphic
                    Accessible.name: page.shownTexts[2] + " " + (row.index + 1)
                    Accessible.focusable: row.hasPicker
                    Accessible.onPressAction: if (row.hasPicker) page.openPicker(row.index)
                    activeFocusOnTab: row.hasPicker
                    Keys.onPressed: event => KeyFocus.press(event, swatch, () => page.openPicker(row.index))
                    FocusRing {}

                    MouseArea {
                        id: swatchArea
                        anchors.fill: parent
                        enabled: row.hasPicker
                        hoverEnabled: true
                        cursorShape: row.hasPicker ? Qt.PointingHandCursor : Qt.ArrowCursor
                        onClicked: page.openPicker(row.index)
                    }
                }
            }
        }
    }

    // The number of stages in use comes from the profile; the list is kept
    // for models that let the user choose it.
    DropDownList {
        id: stageCountList
        objectName: "dpiStageCount"
        anchors.right: resetButton.left
        anchors.rightMargin: 16
        y: 4
        width: 60
        height: 24
        visible: false
        enabled: false
        mdItems: stageModel
        count: stageModel.count
        currentSelect: 3
        textValue: "4"
        Accessible.name: page.shownTexts[4]
        onValueChange: function(index) {
            stageCountList.textValue = stageModel.get(index).textValue
            page.applyStageCount(index)
        }
    }

    ListModel {
        id: stageModel
        ListElement { textValue: "1" }
        ListElement { textValue: "2" }
        ListElement { textValue: "3" }
        ListElement { textValue: "4" }
        ListElement { textValue: "5" }
        ListElement { textValue: "6" }
        ListElement { textValue: "7" }
        ListElement { textValue: "8" }
    }

    // Keeps the rows out of reach while a colour is being picked.
    MouseArea {
        anchors.fill: parent
        visible: picker.visible
        z: 9
    }

    DpiAssigment {
        id: picker
        objectName: "dpiAssigment"
        z: 10
        visible: false
        titleText: page.shownTexts[2]
        okText: page.shownTexts[8]
        cancelText: page.shownTexts[9]
        redText: page.shownTexts[5]
        greenText: page.shownTexts[6]
        blueText: page.shownTexts[7]
        onColorChosen: function(stage, color) {
            page.setSwatch(stage, color)
            page.isSave = true
        }
    }
}
