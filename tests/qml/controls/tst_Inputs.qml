import QtQuick
import QtTest
import modules.qml

// TestCase itself is never visible, so the controls live beside it.
Item {
    id: scene

    width: 600
    height: 300

    Component {
        id: spyComponent

        SignalSpy {
        }
    }

    TestCase {
        name: "Inputs"
        when: windowShown

        function make(type, props, signalName) {
            const control = createTemporaryQmlObject("import modules.qml; " + type + " { x: 50; y: 50 }",
                                                     scene);
            for (const key in props)
                control[key] = props[key];
            return [control, createTemporaryObject(spyComponent, scene,
                                                   { target: control, signalName: signalName })];
        }

        function cleanup() {
            Theme.keyCount = 14;
        }

        function test_rectInput_data() {
            return [
                { tag: "left empty", typed: "", shown: "0", byReturn: true },
                { tag: "holding 0", typed: "0", shown: "0", byReturn: false },
                { tag: "a value", typed: "42", shown: "42", byReturn: true },
                { tag: "leading zeros", typed: "007", shown: "7", byReturn: false },
                { tag: "above the maximum is refused", typed: "300", shown: "30", byReturn: true },
                { tag: "four characters at most", typed: "12345", shown: "1234", byReturn: true,
                  maxValue: 9999 },
                { tag: "below a minimum of 1", typed: "0", shown: "0", byReturn: true, minValue: 1 }
            ];
        }

        function test_rectInput(data) {
            const [input, endSpy] = make("RectInput", { textValue: "5", minValue: data.minValue ?? 0,
                                                        maxValue: data.maxValue ?? 255 }, "endInputSignal");
            const startSpy = createTemporaryObject(spyComponent, scene, { target: input, signalName: "inputSignal" });
            const field = input.txtInput;
            compare(field.text, "5");

            mouseClick(input);
            verify(field.activeFocus);
            compare(startSpy.count, 1);
            field.selectAll();
            keyClick(Qt.Key_Backspace);
            for (const ch of data.typed)
                keyClick(ch);
            compare(endSpy.count, 0);
            if (data.byReturn)
                keyClick(Qt.Key_Return);
            else
                input.closeFocus();

            verify(!field.activeFocus);
            compare(field.selectedText, "");
            compare([startSpy.count, endSpy.count], [1, 1]);
            compare(field.text, data.shown);
            compare(input.textValue, data.shown);
            input.textValue = "17";
            compare(field.text, "17", "the owner can still set the field after an edit");
        }

        function test_selection_data() {
            return [
                { tag: "selected radio stays selected", type: "RadioButton", start: true, dx: 0,
                  selected: true, clicks: 1 },
                { tag: "radio is selected", type: "RadioButton", start: false, dx: 0,
                  selected: true, clicks: 1 },
                { tag: "radio just beside", type: "RadioButton", start: false, dx: -5,
                  selected: true, clicks: 1 },
                { tag: "radio too far away", type: "RadioButton", start: false, dx: -8,
                  selected: false, clicks: 0 },
                { tag: "selected check box is cleared", type: "CheckBox", start: true, dx: 0,
                  selected: false, clicks: 1 },
                { tag: "check box is selected", type: "CheckBox", start: false, dx: 0,
                  selected: true, clicks: 1 },
                { tag: "check box just beside", type: "CheckBox", start: true, dx: -5,
                  selected: false, clicks: 1 },
                { tag: "check box too far away", type: "CheckBox", start: true, dx: -8,
                  selected: true, clicks: 0 },
                { tag: "selected switch stays selected", type: "SwitchButton", start: true, dx: 0,
                  selected: true, clicks: 1 }
            ];
        }

        function test_selection(data) {
            const [control, spy] = make(data.type, { isSelect: data.start, index: 4, textValue: "Lines" },
                                        "btnClick");
            mouseClick(control, data.dx === 0 ? control.width / 2 : data.dx, control.height / 2);
            compare(control.isSelect, data.selected);
            compare(spy.signalArguments.map(args => args[0]), data.clicks ? [4] : []);
        }

        function test_switchButton_hover_data() {
            return [
                { tag: "many buttons", keyCount: 7, hover: Theme.colorPrimary },
                { tag: "six buttons or fewer", keyCount: 6, hover: Theme.fontColor }
            ];
        }

        function test_switchButton_hover(data) {
            Theme.keyCount = data.keyCount;
            const [button] = make("SwitchButton", { textValue: "Key Function", btnWidth: 180 }, "btnClick");
            const label = findChild(button, "switchText");
            mouseMove(scene, 500, 250);
            compare(label.color, Theme.fontColor);
            mouseMove(button, 90, 21);
            compare(label.color, data.hover);
        }
    }
}
