pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// A knob on a rounded track. The knob's left edge is the value the owner
// receives; with isScale the knob snaps to `segment` + 1 marked positions.
Item {
    id: slider

    property int segment: 10
    property int segmentValue: 0
    property int sliderH: 6
    property int btnH: 12
    property bool isScale: false
    property color colorS: Theme.colorPrimary
    readonly property real knobX: knob.x
    readonly property bool isMoving: moveAnim.running
    // What a screen reader reads and steps: the segment of a scaled slider,
    // the knob's place in its range, in percent, otherwise; an owner may
    // give the value its own units.
    property real value: isScale ? segmentValue
                                          : Math.round(100 * (knob.x - SceneLogic.knobMin(btnH))
                                                       / Math.max(1, SceneLogic.knobMax(width, btnH) - SceneLogic.knobMin(btnH)))
    property real minimumValue: 0
    property real maximumValue: isScale ? segment : 100
    property real stepSize: isScale ? 1 : 100 / Math.max(1, segment)

    signal valueChange(int tmpValue)
    signal valueChangeDelay(int tmpValue)
    signal btnClick
    signal dragSignal(bool isDrag)

    function setRatioValue(r) {
        moveAnim.stop();
        knob.x = SceneLogic.ratioToKnob(r, width, btnH);
        valueChange(knob.x);
    }

    function setIndexValue(i, isSendSignal) {
        moveAnim.stop();
        knob.x = SceneLogic.segmentPosition(width, btnH, segment, i);
        segmentValue = i;
        if (isSendSignal)
            valueChange(knob.x);
    }

    function setValue(x) {
        moveAnim.stop();
        knob.x = x;
    }

    // A key moves the knob as a click would: one segment, or one pitch of a
    // continuous slider, with the click's signals.
    function stepBy(steps: int): void {
        btnClick();
        let target;
        if (isScale) {
            const index = Math.max(0, Math.min(segment, segmentValue + steps));
            segmentValue = index;
            target = SceneLogic.segmentPosition(width, btnH, segment, index)
                    + SceneLogic.segmentCorrection(segment, index);
        } else {
            const from = moveAnim.running ? moveAnim.to : knob.x;
            target = SceneLogic.clampKnob(from + steps * SceneLogic.segmentPitch(width, btnH, segment),
                                          width, btnH);
        }
        moveAnim.stop();
        moveAnim.to = target;
        moveAnim.start();
    }

    width: 100
    implicitHeight: btnH + (isScale ? btnH / 2 + 1 : 0)
    activeFocusOnTab: true
    Accessible.role: Accessible.Slider
    Accessible.name: objectName
    Accessible.focusable: true
    Accessible.onIncreaseAction: slider.stepBy(1)
    Accessible.onDecreaseAction: slider.stepBy(-1)
    Keys.onPressed: event => {
        const steps = { [Qt.Key_Left]: -1, [Qt.Key_Down]: -1, [Qt.Key_Right]: 1, [Qt.Key_Up]: 1,
                        [Qt.Key_Home]: -slider.segment, [Qt.Key_End]: slider.segment }[event.key];
        if (steps !== undefined && !KeyFocus.keysCaptured) {
            slider.stepBy(steps);
            event.accepted = true;
            return;
        }
        KeyFocus.press(event, slider, null);
    }

    FocusRing {}

    Rectangle {
        id: track

        objectName: "sliderTrack"
        y: slider.btnH / 4
        width: slider.width
        height: slider.sliderH
        radius: height / 2
        color: Theme.colorBlack

        Rectangle {
            width: Math.min(track.width, Math.max(height, knob.x + slider.btnH / 2))
            height: parent.height
            radius: parent.radius
            color: slider.colorS
        }

        MouseArea {
            anchors.fill: parent
            anchors.margins: -3
            onClicked: mouse => {
                slider.btnClick();
                const pointerX = mapToItem(slider, mouse.x, mouse.y).x;
                const target = SceneLogic.clickTarget(pointerX, slider.width, slider.btnH,
                                                      slider.segment, slider.isScale);
                if (target.index >= 0)
                    slider.segmentValue = target.index;
                moveAnim.stop();
                moveAnim.to = target.x;
                moveAnim.start();
            }
        }
    }

    Repeater {
        model: slider.isScale ? slider.segment + 1 : 0

        Rectangle {
            required property int index

            x: SceneLogic.segmentPosition(slider.width, slider.btnH, slider.segment, index)
               + SceneLogic.segmentCorrection(slider.segment, index) + slider.btnH / 2 - width / 2
            y: slider.btnH + 1
            width: 1
            height: index === 0 || index === slider.segment ? slider.btnH / 2 : slider.btnH / 3
            color: index <= slider.segmentValue ? Theme.colorGray2 : Theme.colorGray6
        }
    }

    Image {
        id: knob

        objectName: "sliderKnob"
        x: SceneLogic.knobMin(slider.btnH)
        width: slider.btnH
        height: slider.btnH
        source: Images.sliderKnob
        smooth: true
        Accessible.role: Accessible.Indicator
        Accessible.name: "knob"

        MouseArea {
            property real pressX: 0
            property real grabX: 0

            anchors.fill: parent
            onPressed: mouse => {
                moveAnim.stop();
                pressX = mapToItem(slider, mouse.x, mouse.y).x;
                grabX = knob.x;
                slider.btnClick();
                slider.dragSignal(true);
            }
            onPositionChanged: mouse => {
                const pointerX = mapToItem(slider, mouse.x, mouse.y).x;
                knob.x = SceneLogic.clampKnob(grabX + pointerX - pressX, slider.width, slider.btnH);
                if (!slider.isScale)
                    slider.valueChange(knob.x);
            }
            onReleased: {
                if (slider.isScale) {
                    const snap = SceneLogic.releaseTarget(knob.x, slider.width, slider.btnH,
                                                          slider.segment);
                    knob.x = snap.x;
                    slider.segmentValue = snap.index;
                }
                console.log(" >>>>>>>>>>>>>>>>> onReleased =  ", slider.segmentValue, knob.x);
                slider.valueChangeDelay(knob.x);
                slider.dragSignal(false);
            }
        }
    }

    NumberAnimation {
        id: moveAnim

        target: knob
        property: "x"
        duration: 120
        easing.type: Easing.OutQuad
        onFinished: {
            slider.valueChange(knob.x);
            slider.valueChangeDelay(knob.x);
        }
    }
}
