import QtQuick
import QtTest
import modules.qml

// TestCase itself is never visible, so the controls live beside it.
Item {
    id: scene

    width: 800
    height: 200

    Component {
        id: sliderComponent

        SliderButton {
            x: 20
            y: 20
        }
    }

    Component {
        id: spyComponent

        SignalSpy {
        }
    }

    TestCase {
        name: "SliderButton"
        when: windowShown

        function makeSlider(props) {
            const slider = createTemporaryObject(sliderComponent, scene, props);
            const spies = {};
            for (const name of ["valueChange", "valueChangeDelay", "btnClick", "dragSignal"])
                spies[name] = createTemporaryObject(spyComponent, scene, { target: slider, signalName: name });
            return [slider, spies];
        }

        function reported(spy) {
            return spy.signalArguments.map(args => args[0]);
        }

        function test_click_data() {
            return [
                { tag: "scaled, right end snaps to the last segment", isScale: true, segment: 10,
                  pointer: 335, knob: 3 + 322 + 3, segmentValue: 10 },
                { tag: "scaled, first segment at or right of the target", isScale: true, segment: 10,
                  pointer: 100, knob: 3 + 32.2 * 3 - 3, segmentValue: 3 },
                { tag: "scaled with five segments", isScale: true, segment: 5,
                  pointer: 80, knob: 3 + 64.4 * 2 - 2, segmentValue: 2 },
                { tag: "continuous, left of the range", isScale: false, segment: 10,
                  pointer: 4, knob: 3, segmentValue: 7 },
                { tag: "continuous, middle", isScale: false, segment: 10,
                  pointer: 170, knob: 164, segmentValue: 7 }
            ];
        }

        function test_click(data) {
            const [slider, spies] = makeSlider({ width: 340, isScale: data.isScale,
                                                 segment: data.segment, segmentValue: 7 });
            slider.setValue(data.knob > 100 ? 20 : 200);
            const start = Date.now();
            let arrivedAt = 0;
            slider.valueChangeDelay.connect(() => arrivedAt = Date.now());
            mouseClick(slider, data.pointer, 6);

            compare(spies.btnClick.count, 1);
            compare(spies.valueChange.count, 0, "nothing is reported before the knob arrives");
            verify(slider.isMoving);
            spies.valueChangeDelay.wait(1000);
            verify(arrivedAt - start >= 115, "the knob moved for " + (arrivedAt - start) + " ms");
            fuzzyCompare(slider.knobX, data.knob, 0.001);
            compare(slider.segmentValue, data.segmentValue);
            compare(reported(spies.valueChange), [Math.trunc(data.knob)]);
            compare(reported(spies.valueChangeDelay), [Math.trunc(data.knob)]);
        }

        function test_drag_data() {
            return [
                { tag: "scaled snaps forward with the correction", isScale: true, from: 3, dx: 100,
                  knob: 3 + 32.2 * 4 - 2, segmentValue: 4 },
                { tag: "scaled within a pixel of a segment stays on it", isScale: true, from: 3,
                  dx: 97, knob: 3 + 32.2 * 3 - 3, segmentValue: 3 },
                { tag: "scaled beyond the end", isScale: true, from: 3, dx: 600, knob: 328,
                  segmentValue: 10 },
                { tag: "scaled back to the start", isScale: true, from: 200, dx: -400, knob: 0,
                  segmentValue: 0 },
                { tag: "continuous follows the pointer", isScale: false, from: 3, dx: 100, knob: 103,
                  segmentValue: 5 },
                { tag: "continuous stops at the end", isScale: false, from: 3, dx: 600, knob: 325,
                  segmentValue: 5 }
            ];
        }

        function test_drag(data) {
            const [slider, spies] = makeSlider({ width: 340, isScale: data.isScale, segmentValue: 5 });
            slider.setValue(data.from);
            mouseDrag(slider, data.from + 6, 6, data.dx, 0);

            fuzzyCompare(slider.knobX, data.knob, 0.001);
            compare(slider.segmentValue, data.segmentValue);
            compare(spies.btnClick.count, 1);
            compare(reported(spies.dragSignal), [true, false]);
            compare(reported(spies.valueChangeDelay), [Math.trunc(data.knob)]);
            const moves = reported(spies.valueChange);
            if (data.isScale)
                compare(moves, [], "a scaled slider reports only the release");
            else
                compare(moves[moves.length - 1], data.knob);
            verify(!slider.isMoving);
        }

        function test_setters() {
            const [slider, spies] = makeSlider({ width: 340, isScale: true });
            slider.setRatioValue(0.5);
            compare(slider.knobX, 165);
            slider.setRatioValue(0);
            compare(slider.knobX, 4);
            slider.setIndexValue(3, false);
            fuzzyCompare(slider.knobX, 99.6, 0.001);
            compare(slider.segmentValue, 3);
            slider.setIndexValue(10, true);
            compare(slider.knobX, 325);
            slider.setValue(50);
            compare(slider.knobX, 50);
            compare(reported(spies.valueChange), [165, 4, 325]);
            compare(spies.valueChangeDelay.count + spies.btnClick.count, 0);
        }
    }
}
