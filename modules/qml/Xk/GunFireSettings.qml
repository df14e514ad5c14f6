import QtQuick
import modules.qml

// How the gun fires: the period between shots and how many, or endless.
Item {
    id: fire

    // The gun editor's texts, already in the shown language.
    property var texts: []
    // The count as the gun has it: unticking Endness needs one to go back to.
    property string times: "0"

    // The period list is about to open: other fields end their typing.
    signal opening()
    signal periodChosen(string text)
    signal timesChosen(string text)

    width: 380
    height: 110

    function show(period: string, times: string): void {
        periodList.setValue(GunRules.periodRatio(period));
        periodList.textValue = SceneLogic.periodText(parseInt(period) || 0);
        fire.showTimes(times);
    }

    function showPeriod(text: string): void {
        periodList.textValue = text;
    }

    function showTimes(text: string): void {
        fire.times = text;
        timesInput.textValue = text;
        timesInput.txtInput.text = text;
        endness.isSelect = text === "0";
    }

    function closeFocus(): void {
        timesInput.closeFocus();
        periodList.closeMenu();
    }

    BarTitle {
        text: fire.texts[6]
    }

    // Spaced so that the open period list clears the times row.
    Column {
        y: 30
        spacing: 30

        Row {
            z: 2
            spacing: 8
            height: 24

            FieldLabel {
                anchors.verticalCenter: parent.verticalCenter
                text: fire.texts[7]
            }
            DropDownSlider {
                id: periodList

                objectName: "gunPeriod"
                width: 240
                Accessible.name: fire.texts[7]
                onBtnClick: {
                    fire.opening()
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
                        fire.periodChosen(periodList.textValue)
                    }
                }
            }
        }

        Row {
            spacing: 8
            height: 24

            FieldLabel {
                anchors.verticalCenter: parent.verticalCenter
                text: fire.texts[8]
            }
            RectInput {
                id: timesInput

                objectName: "gunTimes"
                anchors.verticalCenter: parent.verticalCenter
                minValue: 0
                maxValue: 255
                txtInput.maximumLength: 3
                Accessible.name: fire.texts[8]
                onEndInputSignal: fire.timesChosen(timesInput.textValue)
            }
            Item {
                width: 16
                height: 1
            }
            CheckBox {
                id: endness

                objectName: "gunEndness"
                anchors.verticalCenter: parent.verticalCenter
                textValue: fire.texts[9]
                Accessible.name: fire.texts[9]
                // Unticking has no count to go back to: the box stays ticked
                // and the count field waits for one.
                onBtnClick: {
                    if (endness.isSelect) {
                        timesInput.closeFocus()
                        fire.timesChosen("0")
                    } else if (fire.times === "0") {
                        endness.isSelect = true
                        timesInput.txtInput.forceActiveFocus()
                        timesInput.txtInput.selectAll()
                    }
                }
            }
        }
    }
}
