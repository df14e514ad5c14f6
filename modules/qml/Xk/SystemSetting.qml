pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The desktop's pointer speed, double-click speed and wheel lines, and the
// mouse's lift-off distance. The profile keeps the slider positions; the
// values they stand for are worked out and sent when the page is saved. A
// setting this desktop cannot take is greyed out, with the reason beside it.
// The autostart switch acts at once: it is the user's, not the profile's.
Item {
    id: page

    property var view: null
    readonly property var englishLang: ["System Setting", "Mouse Speed", "Double Click Speed",
        "Slow", "Fast", "Scroll Speed", "Number of Rows", "Scroll one Screen", "Lod", "Enable",
        "GNOME keeps no wheel-lines setting", "This desktop keeps no such setting",
        "The desktop's settings tool is not installed", "No pointer device takes this setting",
        "Start Kairo at login", "Kairo could not change its autostart entry"]
    readonly property var shownTexts: Texts.shown(page.systemSettingLang, page.englishLang)
    property var systemSettingLang: englishLang
    property bool isSave: false

    // Knob positions in pixels, as stored in the profile.
    property int mouseRate: 170
    property int doubleRate: 170
    property int lod: 3
    property bool lodEnabled: true
    property bool scrollScreen: false
    readonly property string lodText: SceneLogic.lodText(page.lod)
    // What the desktop takes (ui_View.pointerSettingsSupport); all until asked.
    property var support: ({ cursorSpeed: true, doubleClick: true, wheelLines: true })
    readonly property bool speedOffered: page.support.cursorSpeed !== false
    readonly property bool doubleClickOffered: page.support.doubleClick !== false
    readonly property bool wheelOffered: page.support.wheelLines !== false
    property bool autostart: false

    width: 540
    height: 520

    // Why a setting is greyed out; empty while it is offered.
    function gapNote(setting: string): string {
        if (page.support[setting] !== false)
            return ""
        const gap = page.support[setting + "Gap"]
        if (gap === "noTool")
            return page.shownTexts[12]
        if (gap === "noDevice")
            return page.shownTexts[13]
        return setting === "wheelLines" && page.support.desktop === "GNOME" ? page.shownTexts[10]
                                                                           : page.shownTexts[11]
    }

    function readDesktop() {
        page.support = page.view.pointerSettingsSupport()
        page.autostart = page.view.autostartEnabled()
    }

    // The file decides: a refused change leaves the switch as it was.
    function chooseAutostart(enabled: bool) {
        page.closeFocus()
        page.view.setAutostartEnabled(enabled)
        page.autostart = page.view.autostartEnabled()
        autostartSwitch.isSelect = page.autostart
    }

    function wheelLines(): int {
        return page.scrollScreen ? 1000 : parseInt(SceneLogic.wheelLinesText(scrollLines.txtInput.text))
    }

    function init(isSendData, isRecovery) {
        const recovery = !!isRecovery
        page.closeFocus()
        page.readDesktop()
        page.mouseRate = SceneLogic.shownPointerPosition(
            Stored.intOr(page.view.getData("mouse/mouseRate", recovery), page.mouseRate))
        page.doubleRate = SceneLogic.shownDoubleClickPosition(
            Stored.intOr(page.view.getData("mouse/doubleRate", recovery), page.doubleRate))
        page.lod = Stored.intOr(page.view.getData("mouse/lod", recovery), page.lod)
        page.lodEnabled = Stored.intOr(page.view.getData("mouse/lodEn", recovery),
                                     page.lodEnabled ? 1 : 0) === 1
        const scroll = Stored.intOr(page.view.getData("mouse/scrollRate", recovery), page.wheelLines())
        page.scrollScreen = scroll > 100
        if (!page.scrollScreen)
            scrollLines.textValue = SceneLogic.wheelLinesText(String(scroll))
        page.showState()
        if (isSendData)
            page.saveData(true, 0)
    }

    // isStep 0 sends every Windows setting, 1..3 only the pointer speed, the
    // double-click speed or the wheel lines. The lift-off goes with every send.
    function saveData(isSendData, isStep) {
        const lines = page.wheelLines()
        page.view.setData("mouse/mouseRate", page.mouseRate)
        page.view.setData("mouse/doubleRate", page.doubleRate)
        page.view.setData("mouse/lod", page.lod)
        page.view.setData("mouse/lodEn", page.lodEnabled ? 1 : 0)
        page.view.setData("mouse/scrollRate", lines)
        if (!isSendData)
            return
        const step = Stored.intOr(isStep, 0)
        if (step === 0 || step === 1)
            page.view.mouseSetCursorSpeed(SceneLogic.breakpointIndex(page.mouseRate))
        if (step === 0 || step === 2)
            page.view.mouseSetDoubleClickSpeed(SceneLogic.breakpointIndex(page.doubleRate))
        if (step === 0 || step === 3)
            page.view.mouseSetVerticalScrollLines(lines)
        page.view.mouseSetLodValue(SceneLogic.lodValue(page.lod), page.lodEnabled ? 1 : 0)
    }

    function closeFocus() {
        scrollLines.closeFocus()
    }

    function chooseScroll(byScreen: bool) {
        page.closeFocus()
        // A screen reader's press still reaches a disabled radio button.
        if (!page.wheelOffered) {
            page.showState()
            return
        }
        page.scrollScreen = byScreen
        page.showState()
        page.isSave = true
    }

    // The controls keep their own visible state once clicked, so the page
    // puts its values back into them instead of binding.
    function showState() {
        mouseSpeedSlider.setValue(page.mouseRate)
        doubleClickSlider.setValue(page.doubleRate)
        lodSlider.setValue(page.lod)
        scrollRows.isSelect = !page.scrollScreen
        scrollScreenButton.isSelect = page.scrollScreen
        lodEnable.isSelect = page.lodEnabled
        autostartSwitch.isSelect = page.autostart
    }

    Component.onCompleted: page.showState()

    component SectionTitle: Row {
        property alias source: icon.source
        property alias text: caption.text
        property alias note: gapText.text
        property alias noteName: gapText.objectName

        spacing: 10
        Image {
            id: icon
            anchors.verticalCenter: parent.verticalCenter
            width: 24
            height: 24
            smooth: true
        }
        Text {
            id: caption
            anchors.verticalCenter: parent.verticalCenter
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            font.bold: true
        }
        GapNote {
            id: gapText
            anchors.verticalCenter: parent.verticalCenter
        }
    }

    // Says why the control below is greyed out; wraps within the page.
    component GapNote: Text {
        leftPadding: 8
        width: Math.min(implicitWidth, 300)
        visible: text.length > 0
        wrapMode: Text.WordWrap
        color: Theme.colorGray2
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    component EndLabel: Text {
        width: 56
        color: Theme.colorGray2
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
    }

    Text {
        id: title
        x: 24
        y: 8
        text: page.shownTexts[0]
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMaxSize
        font.bold: true
    }

    Column {
        id: sections
        x: 24
        anchors.top: title.bottom
        anchors.topMargin: 24
        width: page.width - 48
        spacing: 14

        SectionTitle {
            source: Images.mouseRateIcon
            text: page.shownTexts[1]
            note: page.gapNote("cursorSpeed")
            noteName: "mouseSpeedNote"
        }
        Row {
            objectName: "mouseSpeedRow"
            spacing: 8
            enabled: page.speedOffered
            opacity: enabled ? 1 : 0.4
            EndLabel {
                anchors.verticalCenter: parent.verticalCenter
                horizontalAlignment: Text.AlignRight
                text: page.shownTexts[3]
            }
            SliderButton {
                id: mouseSpeedSlider
                objectName: "mouseSpeedSlider"
                anchors.verticalCenter: parent.verticalCenter
                width: 352
                isScale: false
                Accessible.name: page.shownTexts[1]
                Accessible.description: page.gapNote("cursorSpeed")
                onBtnClick: page.closeFocus()
                onValueChange: function(tmpValue) { page.mouseRate = tmpValue }
                onValueChangeDelay: function(tmpValue) {
                    page.mouseRate = tmpValue
                    page.isSave = true
                }
            }
            EndLabel {
                anchors.verticalCenter: parent.verticalCenter
                text: page.shownTexts[4]
            }
        }

        Row {
            topPadding: 6
            Text {
                anchors.verticalCenter: parent.verticalCenter
                leftPadding: 34
                text: page.shownTexts[2]
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                font.bold: true
            }
            GapNote {
                objectName: "doubleClickNote"
                anchors.verticalCenter: parent.verticalCenter
                text: page.gapNote("doubleClick")
            }
        }
        Row {
            objectName: "doubleClickRow"
            spacing: 8
            enabled: page.doubleClickOffered
            opacity: enabled ? 1 : 0.4
            EndLabel {
                anchors.verticalCenter: parent.verticalCenter
                horizontalAlignment: Text.AlignRight
                text: page.shownTexts[3]
            }
            SliderButton {
                id: doubleClickSlider
                objectName: "doubleClickSlider"
                anchors.verticalCenter: parent.verticalCenter
                width: 352
                isScale: false
                Accessible.name: page.shownTexts[2]
                Accessible.description: page.gapNote("doubleClick")
                onBtnClick: page.closeFocus()
                onValueChange: function(tmpValue) { page.doubleRate = tmpValue }
                onValueChangeDelay: function(tmpValue) {
                    page.doubleRate = tmpValue
                    page.isSave = true
                }
            }
            EndLabel {
                anchors.verticalCenter: parent.verticalCenter
                text: page.shownTexts[4]
            }
        }

        Item {
            width: 1
            height: 22
        }
        SectionTitle {
            source: Images.scrollRateIcon
            text: page.shownTexts[5]
            note: page.gapNote("wheelLines")
            noteName: "wheelLinesNote"
        }
        Row {
            objectName: "wheelLinesRow"
            x: 52
            spacing: 16
            enabled: page.wheelOffered
            opacity: enabled ? 1 : 0.4
            RadioButton {
                id: scrollRows
                objectName: "scrollRows"
                anchors.verticalCenter: parent.verticalCenter
                index: 0
                textValue: page.shownTexts[6]
                Accessible.name: page.shownTexts[6]
                onBtnClick: page.chooseScroll(false)
            }
            RectInput {
                id: scrollLines
                objectName: "scrollLines"
                anchors.verticalCenter: parent.verticalCenter
                minValue: 1
                maxValue: 100
                textValue: "2"
                txtInput.maximumLength: 3
                Accessible.name: "Wheel lines per notch"

                property string textBefore: ""

                onInputSignal: scrollLines.textBefore = scrollLines.txtInput.text
                onEndInputSignal: {
                    scrollLines.textValue = SceneLogic.wheelLinesText(scrollLines.txtInput.text)
                    if (scrollLines.txtInput.text !== scrollLines.textBefore)
                        page.isSave = true
                }
            }
        }
        RadioButton {
            id: scrollScreenButton
            objectName: "scrollScreen"
            x: 52
            enabled: page.wheelOffered
            opacity: enabled ? 1 : 0.4
            index: 1
            textValue: page.shownTexts[7]
            Accessible.name: page.shownTexts[7]
            onBtnClick: page.chooseScroll(true)
        }

        Item {
            width: 1
            height: 22
        }
        SectionTitle {
            source: Images.lodIcon
            text: page.shownTexts[8]
        }
        Row {
            x: 52
            spacing: 12
            SliderButton {
                id: lodSlider
                objectName: "lodSlider"
                anchors.verticalCenter: parent.verticalCenter
                width: 340
                isScale: false
                Accessible.name: page.shownTexts[8]
                onBtnClick: page.closeFocus()
                onValueChange: function(tmpValue) { page.lod = tmpValue }
                onValueChangeDelay: function(tmpValue) {
                    page.lod = tmpValue
                    page.isSave = true
                }
            }
            Text {
                objectName: "lodText"
                anchors.verticalCenter: parent.verticalCenter
                text: page.lodText
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                Accessible.role: Accessible.StaticText
                Accessible.name: page.shownTexts[8] + " " + text
            }
        }
        CheckBox {
            id: lodEnable
            objectName: "lodEnable"
            x: 52
            textValue: page.shownTexts[9]
            Accessible.name: page.shownTexts[9] + " " + page.shownTexts[8]
            onBtnClick: {
                page.closeFocus()
                page.lodEnabled = lodEnable.isSelect
                page.isSave = true
            }
        }
        // Kairo's own, not the mouse's: set at once, below the mouse's settings.
        CheckBox {
            id: autostartSwitch
            objectName: "autostartSwitch"
            textValue: page.shownTexts[14]
            Accessible.name: page.shownTexts[14]
            onBtnClick: page.chooseAutostart(autostartSwitch.isSelect)
        }
    }
}
