pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The fire key of one button: the key the mouse repeats, how fast and how
// often. The key comes from the keyboard through detectKeyboard while the
// key box waits for it; typing the times must not change the key, so the
// box stops waiting while the times field has focus.
DialogFrame {
    id: dialog

    property var labels: []
    readonly property var rates: [10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 120, 150, 200, 250]
    property int keyUsage: 0
    property int rateIndex: 0
    property int times: 0
    property bool isCapturing: false
    readonly property string codeHex: MacroLogic.codeToHex(
        MacroLogic.fireCode(dialog.keyUsage, dialog.rates[dialog.rateIndex], dialog.times))

    signal chosen(var code)

    function rateText(rate: int): string {
        return String(rate) + "MS"
    }

    // The closest listed rate, so that a stored rate off the list still opens sensibly.
    function nearestRate(rate: int): int {
        let best = 0
        for (let i = 1; i < dialog.rates.length; ++i) {
            if (Math.abs(dialog.rates[i] - rate) < Math.abs(dialog.rates[best] - rate))
                best = i
        }
        return best
    }

    function setTimes(value: int) {
        dialog.times = Math.max(0, Math.min(255, value))
        timesInput.textValue = String(dialog.times)
        timesInput.txtInput.text = String(dialog.times)
        endness.isSelect = dialog.times === 0
    }

    function open(code: var) {
        const isFire = code && Number(code[0]) === 1
        dialog.keyUsage = isFire ? Number(code[1]) : 0
        dialog.rateIndex = isFire ? dialog.nearestRate(Number(code[2])) : 0
        rateList.currentSelect = dialog.rateIndex
        dialog.setTimes(isFire ? Number(code[3]) : 0)
        dialog.isCapturing = true
        dialog.visible = true
    }

    function closeFocus() {
        timesInput.closeFocus()
        rateList.closeMenu()
    }

    function close() {
        timesInput.closeFocus()
        rateList.closeMenu()
        dialog.isCapturing = false
        dialog.visible = false
    }

    // kind 0 is the fire key; the combination dialog takes kind 1.
    function detectKeyboard(isDown: bool, usbCode: int, kind: int) {
        if (kind !== 0 || !isDown || !dialog.isCapturing || !dialog.visible)
            return
        if (MacroLogic.keyName(usbCode) === "")
            return
        dialog.keyUsage = usbCode
    }

    objectName: "fireKeyAssigment"
    visible: false
    width: 400
    height: 200 + (scopeNote.visible ? scopeNote.height + 8 : 0)
    title: Texts.label(dialog.labels, 1, "Fire Function")
    okButton: okButtonItem
    cancelButton: cancelButtonItem
    capturing: dialog.isCapturing

    Column {
        x: 22
        y: 44
        spacing: 12

        Row {
            spacing: 12
            height: 24

            Text {
                width: Math.max(90, implicitWidth)
                anchors.verticalCenter: parent.verticalCenter
                text: Texts.label(dialog.labels, 51, "Press a key")
                color: Theme.colorGray3
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            Rectangle {
                objectName: "fireKeyBox"
                width: Math.max(144, keyText.implicitWidth + 16)
                height: 24
                radius: 2
                color: Theme.colorGray0
                border.width: 1
                border.color: dialog.isCapturing || keyArea.containsMouse ? Theme.colorPrimary
                                                                          : Theme.colorGray1
                Accessible.role: Accessible.Button
                Accessible.name: "Fire key"
                Accessible.description: keyText.text
                Accessible.onPressAction: keyArea.arm()

                Text {
                    id: keyText

                    objectName: "fireKeyName"
                    anchors.centerIn: parent
                    text: dialog.keyUsage !== 0 ? MacroLogic.keyName(dialog.keyUsage)
                                                : Texts.label(dialog.labels, 51, "Press a key")
                    color: dialog.keyUsage !== 0 ? Theme.fontColor : Theme.colorGray6
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: keyArea

                    function arm(): void {
                        timesInput.closeFocus()
                        rateList.closeMenu()
                        dialog.isCapturing = true
                    }

                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: arm()
                }
            }
        }

        Row {
            spacing: 12
            height: 24
            z: 2

            Text {
                width: 90
                anchors.verticalCenter: parent.verticalCenter
                text: Texts.label(dialog.labels, 52, "Rate")
                color: Theme.colorGray3
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            DropDownList {
                id: rateList

                objectName: "fireRateList"
                width: 144
                count: 5
                currentSelect: 0
                textValue: dialog.rateText(dialog.rates[dialog.rateIndex])
                mdItems: ListModel {
                    id: rateModel
                }
                Component.onCompleted: {
                    for (const rate of dialog.rates)
                        rateModel.append({ textValue: dialog.rateText(rate) })
                }
                onBtnClick: timesInput.closeFocus()
                onValueChange: (index) => { dialog.rateIndex = index }
            }
        }

        Row {
            spacing: 12
            height: 24

            Text {
                width: 90
                anchors.verticalCenter: parent.verticalCenter
                text: Texts.label(dialog.labels, 53, "Times")
                color: Theme.colorGray3
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            RectInput {
                id: timesInput

                objectName: "fireTimes"
                anchors.verticalCenter: parent.verticalCenter
                minValue: 0
                maxValue: 255
                Accessible.name: "Fire times"
                onInputSignal: dialog.isCapturing = false
                onEndInputSignal: dialog.setTimes(parseInt(timesInput.textValue) || 0)
            }
            CheckBox {
                id: endness

                objectName: "fireEndness"
                anchors.verticalCenter: parent.verticalCenter
                textValue: Texts.label(dialog.labels, 54, "Endness")
                onBtnClick: dialog.setTimes(endness.isSelect ? 0 : 1)
            }
        }
    }

    CaptureScopeNote {
        id: scopeNote

        objectName: "fireScopeNote"
        x: 22
        y: 148
        width: dialog.width - 44
    }

    Text {
        objectName: "fireCodeHex"
        x: 22
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 14
        text: dialog.codeHex.toUpperCase()
        color: Theme.colorGray6
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
        Accessible.role: Accessible.StaticText
        Accessible.name: "Fire code " + text
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: 16
        anchors.bottomMargin: 10
        spacing: 16

        TextButton {
            id: cancelButtonItem

            objectName: "fireCancel"
            text: Texts.label(dialog.labels, 59, "Cancel")
            framed: true
            Accessible.name: "Cancel the fire key"
            onClicked: dialog.close()
        }
        TextButton {
            id: okButtonItem

            objectName: "fireOk"
            text: Texts.label(dialog.labels, 58, " OK ")
            framed: true
            enabled: dialog.keyUsage !== 0
            Accessible.name: "Use this fire key"
            onClicked: {
                // A times value still being typed counts.
                timesInput.closeFocus()
                // Chosen before closing: the page still knows which button is meant.
                dialog.chosen(MacroLogic.hexToCode(dialog.codeHex))
                dialog.close()
            }
        }
    }
}
