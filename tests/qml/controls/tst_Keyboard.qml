import QtQuick
import QtTest
import modules.qml

// The kit with the keyboard alone. TestCase itself is never visible, so the
// controls live beside it.
Item {
    id: scene

    width: 900
    height: 500

    Component {
        id: spyComponent
        SignalSpy {}
    }
    Component {
        id: rowComponent
        Row {
            spacing: 10
            TextButton { objectName: "first"; text: "First" }
            TextButton { objectName: "off"; text: "Off"; enabled: false }
            CheckBox { objectName: "box"; textValue: "Box" }
            RadioButton { objectName: "radioA"; textValue: "A"; isSelect: true }
            RadioButton { objectName: "radioB"; textValue: "B" }
            RadioButton { objectName: "radioC"; textValue: "C" }
            SwitchButton { objectName: "switch"; textValue: "Switch" }
            TabButton { objectName: "tab"; text: "Tab" }
            WindowButton { objectName: "window" }
        }
    }
    Component {
        id: sliderComponent
        SliderButton { x: 20; y: 100; width: 340 }
    }
    Component {
        id: listComponent
        DropDownList {
            x: 20
            y: 150
            count: 4
            currentSelect: 1
            mdItems: ListModel {
                ListElement { textValue: "125 Hz" }
                ListElement { textValue: "250 Hz" }
                ListElement { textValue: "500 Hz" }
                ListElement { textValue: "1000 Hz" }
            }
        }
    }
    Component {
        id: tooltipComponent
        Tooltip {}
    }
    Component {
        id: captureComponent
        MacroKeyCapture {}
    }

    TestCase {
        id: testCase
        name: "Keyboard"
        when: windowShown

        function spy(target, signalName) {
            return createTemporaryObject(spyComponent, testCase, { target: target, signalName: signalName })
        }

        function focused() {
            return scene.Window.activeFocusItem
        }

        function test_tabOrder() {
            const row = createTemporaryObject(rowComponent, scene)
            findChild(row, "first").forceActiveFocus(Qt.TabFocusReason)
            // The disabled button is passed over; the order wraps round.
            const forward = ["box", "radioA", "radioB", "radioC", "switch", "tab", "window", "first"]
            for (const name of forward) {
                keyClick(Qt.Key_Tab)
                compare(focused().objectName, name)
            }
            keyClick(Qt.Key_Tab, Qt.ShiftModifier)
            compare(focused().objectName, "window")
            keyClick(Qt.Key_Backtab)
            compare(focused().objectName, "tab")
        }

        function test_focusRing() {
            const row = createTemporaryObject(rowComponent, scene)
            const button = findChild(row, "first")
            const ring = findChild(button, "focusRing")
            verify(!ring.visible)
            mouseClick(button)
            verify(!ring.visible, "a click gives no focus")
            button.forceActiveFocus(Qt.TabFocusReason)
            verify(ring.visible)
            compare(ring.border.color, Qt.color("#ff9933"))
            compare(Theme.focusColor, Theme.colorPrimary)
            keyClick(Qt.Key_Tab)
            verify(!ring.visible)
        }

        function test_activation_data() {
            const rows = []
            for (const key of [Qt.Key_Space, Qt.Key_Return, Qt.Key_Enter]) {
                const k = key === Qt.Key_Space ? "Space" : key === Qt.Key_Return ? "Return" : "Enter"
                rows.push({ tag: "button, " + k, name: "first", signal: "clicked", key: key })
                rows.push({ tag: "check box, " + k, name: "box", signal: "btnClick", key: key,
                            selected: true })
                rows.push({ tag: "radio button, " + k, name: "radioB", signal: "btnClick", key: key,
                            selected: true })
                rows.push({ tag: "switch button, " + k, name: "switch", signal: "btnClick", key: key,
                            selected: true })
                rows.push({ tag: "tab, " + k, name: "tab", signal: "clicked", key: key })
                rows.push({ tag: "window button, " + k, name: "window", signal: "clicked", key: key })
            }
            return rows
        }

        function test_activation(data) {
            const row = createTemporaryObject(rowComponent, scene)
            const control = findChild(row, data.name)
            const s = spy(control, data.signal)
            control.forceActiveFocus(Qt.TabFocusReason)
            keyClick(data.key)
            compare(s.count, 1)
            if (data.selected !== undefined)
                compare(control.isSelect, data.selected)
            // A second press on a check box clears it again; a radio button stays.
            keyClick(data.key)
            compare(s.count, 2)
            if (data.name === "box")
                verify(!control.isSelect)
            if (data.name === "radioB")
                verify(control.isSelect)
        }

        function test_radioArrows() {
            const row = createTemporaryObject(rowComponent, scene)
            const a = findChild(row, "radioA")
            const b = findChild(row, "radioB")
            const c = findChild(row, "radioC")
            const s = spy(b, "btnClick")
            a.forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Right)
            verify(b.isSelect)
            compare(s.count, 1)
            compare(focused(), b)
            keyClick(Qt.Key_Down)
            compare(focused(), c)
            keyClick(Qt.Key_Down)
            compare(focused(), a, "the group wraps round")
            keyClick(Qt.Key_Left)
            compare(focused(), c)
        }

        function test_sliderKeys_data() {
            return [
                { tag: "scaled, right", isScale: true, start: 3, key: Qt.Key_Right, segmentValue: 4,
                  knob: 3 + 32.2 * 4 - 2 },
                { tag: "scaled, up", isScale: true, start: 3, key: Qt.Key_Up, segmentValue: 4,
                  knob: 3 + 32.2 * 4 - 2 },
                { tag: "scaled, left", isScale: true, start: 3, key: Qt.Key_Left, segmentValue: 2,
                  knob: 3 + 32.2 * 2 - 4 },
                { tag: "scaled, left at the start stays", isScale: true, start: 0, key: Qt.Key_Left,
                  segmentValue: 0, knob: 3 - 3 },
                { tag: "scaled, end", isScale: true, start: 3, key: Qt.Key_End, segmentValue: 10,
                  knob: 3 + 322 + 3 },
                { tag: "continuous, right by one pitch", isScale: false, start: 3, key: Qt.Key_Right,
                  knob: 3 + 32.2 * 4 },
                { tag: "continuous, home", isScale: false, start: 3, key: Qt.Key_Home, knob: 3 }
            ]
        }

        function test_sliderKeys(data) {
            const slider = createTemporaryObject(sliderComponent, scene, { isScale: data.isScale })
            slider.setIndexValue(data.start, false)
            const changes = spy(slider, "valueChange")
            const delayed = spy(slider, "valueChangeDelay")
            const clicks = spy(slider, "btnClick")
            slider.forceActiveFocus(Qt.TabFocusReason)
            keyClick(data.key)
            // As a click: btnClick at once, the two values once the knob stands.
            compare(clicks.count, 1)
            tryCompare(delayed, "count", 1)
            compare(changes.count, 1)
            fuzzyCompare(slider.knobX, data.knob, 0.01)
            fuzzyCompare(changes.signalArguments[0][0], Math.trunc(data.knob), 1)
            if (data.isScale) {
                compare(slider.segmentValue, data.segmentValue)
                compare(slider.value, data.segmentValue)
                compare(slider.maximumValue, 10)
            } else {
                compare(slider.value, Math.round(100 * (data.knob - 3) / 322))
            }
        }

        function test_dropDownKeys() {
            const list = createTemporaryObject(listComponent, scene)
            const chosen = spy(list, "valueChange")
            list.forceActiveFocus(Qt.TabFocusReason)
            // Closed: the arrows move the choice at once, and stop at the ends.
            keyClick(Qt.Key_Down)
            compare(list.currentSelect, 2)
            compare(chosen.signalArguments.map(a => a[0]), [2])
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            compare(list.currentSelect, 3)
            compare(chosen.count, 2)
            keyClick(Qt.Key_Up)
            compare(list.currentSelect, 2)
            // Open: the arrows mark a row, Return chooses it once the list has closed.
            keyClick(Qt.Key_Space)
            verify(list.isDrop)
            tryCompare(list, "isAnimating", false)
            keyClick(Qt.Key_Up)
            keyClick(Qt.Key_Up)
            compare(list.currentSelect, 2, "marking a row is no choice")
            keyClick(Qt.Key_Return)
            verify(!list.isDrop)
            compare(chosen.count, 3)
            tryCompare(chosen, "count", 4)
            compare(chosen.signalArguments[3][0], 0)
            // Escape closes an open list and chooses nothing.
            keyClick(Qt.Key_Enter)
            tryCompare(list, "isAnimating", false)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Escape)
            verify(!list.isDrop)
            tryCompare(list, "isAnimating", false)
            compare(chosen.count, 4)
            compare(list.currentSelect, 0)
        }

        // A dialog holds the keyboard: Tab stays in it, Escape is its Cancel,
        // Return its OK, and the keyboard goes back where it was.
        function test_dialogKeys_data() {
            return [
                { tag: "escape cancels", key: Qt.Key_Escape, ok: 0 },
                { tag: "return confirms", key: Qt.Key_Return, ok: 1 },
                { tag: "enter confirms", key: Qt.Key_Enter, ok: 1 }
            ]
        }

        function test_dialogKeys(data) {
            const row = createTemporaryObject(rowComponent, scene)
            const opener = findChild(row, "first")
            opener.forceActiveFocus(Qt.TabFocusReason)
            const tooltip = createTemporaryObject(tooltipComponent, scene, { visible: false, btnIndex: 5 })
            const ok = spy(tooltip, "tooltipClickOK")
            tooltip.visible = true
            verify(tooltip.activeFocus, "the dialog takes the keyboard")
            const seen = []
            for (let i = 0; i < 5; ++i) {
                keyClick(Qt.Key_Tab)
                seen.push(focused().objectName)
            }
            compare(seen, ["tooltipCancel", "tooltipOk", "tooltipCancel", "tooltipOk", "tooltipCancel"])
            keyClick(Qt.Key_Backtab)
            compare(focused().objectName, "tooltipOk")
            tooltip.forceActiveFocus()
            keyClick(data.key)
            verify(!tooltip.visible)
            compare(ok.count, data.ok)
            if (data.ok)
                compare(ok.signalArguments[0][0], 5)
            compare(focused(), opener)
        }

        function test_buttonKeysInDialog() {
            const tooltip = createTemporaryObject(tooltipComponent, scene, { visible: false })
            const ok = spy(tooltip, "tooltipClickOK")
            tooltip.visible = true
            keyClick(Qt.Key_Tab)
            compare(focused().objectName, "tooltipCancel")
            // Return works the button that has the keyboard, not the dialog's OK.
            keyClick(Qt.Key_Return)
            verify(!tooltip.visible)
            compare(ok.count, 0)
        }

        // Waiting for a key, the capture box lets no key navigate or close it;
        // its Cancel still works with the mouse.
        function test_captureTakesEveryKey() {
            const row = createTemporaryObject(rowComponent, scene)
            const capture = createTemporaryObject(captureComponent, scene)
            capture.open("Insert Key")
            verify(capture.activeFocus)
            for (const key of [Qt.Key_Tab, Qt.Key_Escape, Qt.Key_Return, Qt.Key_Space, Qt.Key_Backtab]) {
                keyClick(key)
                verify(capture.visible)
                verify(capture.activeFocus, "still in the capture after key " + key)
            }
            capture.keyPressed(0x04)
            keyClick(Qt.Key_Return)
            verify(capture.visible, "Return is a key like any other")
            mouseClick(findChild(capture, "macroKeyCaptureCancel"))
            verify(!capture.visible)
            verify(row)
        }
    }
}
