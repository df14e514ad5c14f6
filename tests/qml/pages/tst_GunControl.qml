import QtQuick
import QtTest
import modules.qml

// TestCase itself is never visible, so the panel lives beside it, in an
// overlay the size of the design.
Item {
    id: scene

    width: 1280
    height: 720

    Item {
        id: overlay
        anchors.fill: parent
    }

    TestCase {
        id: testCase
        name: "GunControl"
        when: windowShown

        Component {
            id: viewComponent
            GunControlView {}
        }
        Component {
            id: pageComponent
            GunControl {}
        }

        // name, key, period, X, Y, times
        function storedGuns() {
            return [["M416", "L-Click", "10", "0", "10", "0"],
                    ["AKM", "L-Click", "20", "1", "20", "3"],
                    ["M16A4", "L-Click", "30", "2", "30", "0"],
                    ["SCAR-L", "L-Click", "12", "0", "32", "0"],
                    ["UNP9", "L-Click", "40", "4", "40", "9"],
                    ["Thomson", "L-Click", "50", "5", "50", "7"]]
        }

        function makePage(selectGun) {
            const application = selectGun === undefined ? {} : { "mouse/selectGun": selectGun }
            const view = createTemporaryObject(viewComponent, testCase,
                                               { guns: storedGuns(), application: application })
            const page = createTemporaryObject(pageComponent, scene,
                                               { view: view, overlayParent: overlay })
            verify(page)
            compare(page.parent, overlay)
            page.init()
            page.open()
            verify(page.isDialogOpen)
            waitForRendering(page)
            view.clear()
            return page
        }

        function child(page, name) {
            const item = findChild(page, name)
            verify(item, name)
            return item
        }

        function typeText(text) {
            for (const c of text)
                keyClick(c)
        }

        function lastRecord(page) {
            return page.view.lastArgs("mouseSaveGundata")
        }

        // The dot's position and its value, both ways: each value's own
        // position reads back as that value, and positions off the travel
        // read as its ends.
        function test_dotValue_data() {
            return [
                { tag: "top", dot: 89, y: 0 }, { tag: "just below top", dot: 100, y: 7 },
                { tag: "middle", dot: 136, y: 32 }, { tag: "floored, not rounded", dot: 102, y: 8 },
                { tag: "just above bottom", dot: 182, y: 63 },
                { tag: "bottom", dot: 183, y: 64 }, { tag: "above the travel", dot: 40, y: 0 },
                { tag: "below the travel", dot: 300, y: 64 }
            ]
        }
        function test_dotValue(data) {
            compare(GunRules.yFromDot(data.dot), data.y)
            for (let y = 0; y <= GunRules.maxY; ++y)
                compare(GunRules.yFromDot(GunRules.dotFromY(String(y))), y)
        }

        function test_selection_data() {
            return [
                { tag: "stored as text", stored: ["3", "1", "5"], slots: [3, 1, 5] },
                { tag: "never stored", stored: undefined, slots: [0, 1, 2] },
                { tag: "one element", stored: "4", slots: [4, 1, 2] },
                { tag: "unusable kept per slot", stored: ["9", "x", "-1"], slots: [0, 1, 2] }
            ]
        }
        function test_selection(data) {
            const page = makePage(data.stored)
            compare(page.selectGun, data.slots)
            compare(page.currentGun, data.slots[0])
            compare(child(page, "gunSlot0").textValue, "Gun1")
            compare(child(page, "gunSlot2").textValue, "Gun3")
            verify(child(page, "gunSlot0").isSelect)
        }

        // Loading a gun, the times field and Endness, and typing Y.
        function test_fieldsJourney() {
            const page = makePage(["3", "1", "5"])
            const times = child(page, "gunTimes")
            const endness = child(page, "gunEndness")
            compare(child(page, "gunY").textValue, "32")
            compare(child(page, "gunDot").y, 136)
            compare(child(page, "gunPeriod").textValue, "12MS")
            compare(times.textValue, "0")
            verify(endness.isSelect)

            mouseClick(child(page, "gunSlot2"))
            compare(page.currentGun, 5)
            verify(!child(page, "gunSlot0").isSelect)
            compare(child(page, "gunX").text, "5")
            compare(times.textValue, "7")
            verify(!endness.isSelect)
            verify(!page.isSave)

            mouseClick(endness)
            compare(times.textValue, "0")
            compare(lastRecord(page), [5, ["Thomson", "L-Click", "50", "5", "50", "0"]])
            verify(page.isSave)

            // Unticking has no count to return to.
            page.view.clear()
            mouseClick(endness)
            verify(endness.isSelect)
            compare(page.view.callsOf("mouseSaveGundata"), [])
            verify(times.txtInput.activeFocus)
            typeText("25")
            page.closeFocus()
            verify(!endness.isSelect)
            compare(lastRecord(page)[1][5], "25")

            mouseClick(child(page, "gunY"))
            keyClick(Qt.Key_A, Qt.ControlModifier)
            typeText("16")
            page.closeFocus()
            compare(child(page, "gunDot").y, 89 + 16 / 64 * 94)
            compare(lastRecord(page), [5, ["Thomson", "L-Click", "50", "5", "16", "25"]])
        }

        function test_rename() {
            const page = makePage(["0", "1", "2"])
            const nameInput = child(page, "gunName")
            mouseDoubleClickSequence(child(page, "gunRow1"))
            verify(nameInput.activeFocus)
            compare(nameInput.text, "AKM")

            typeText("M416")
            keyClick(Qt.Key_Return)
            verify(!nameInput.visible)
            compare(child(page, "gunRow1").Accessible.name, "AKM")
            compare(page.view.callsOf("modifyGundata"), [])
            compare(page.view.callsOf("updataNameList"), [])

            mouseDoubleClickSequence(child(page, "gunRow1"))
            typeText("Vector")
            keyClick(Qt.Key_Return)
            compare(child(page, "gunRow1").Accessible.name, "Vector")
            compare(page.view.callsOf("modifyGundata"),
                    [[1, ["Vector", "L-Click", "20", "1", "20", "3", "AKM"]]])
            compare(page.view.callsOf("updataNameList"),
                    [[1, ["M416", "Vector", "M16A4", "SCAR-L", "UNP9", "Thomson"]]])
            compare(page.view.guns[1][0], "Vector")
        }

        // On a disk that takes no write, an edited value and a new name go
        // back to what the table holds, and nothing is left to save.
        function test_failedWritesShowTheTable() {
            const page = makePage(["0", "1", "2"])
            page.view.writesFail = true
            mouseClick(child(page, "gunY"))
            keyClick(Qt.Key_A, Qt.ControlModifier)
            typeText("44")
            page.closeFocus()
            compare(page.view.callsOf("mouseSaveGundata").length, 1)
            compare(child(page, "gunY").textValue, "10")
            compare(page.record(0), storedGuns()[0])
            verify(!page.isSave)

            mouseDoubleClickSequence(child(page, "gunRow1"))
            typeText("Vector")
            keyClick(Qt.Key_Return)
            compare(child(page, "gunRow1").Accessible.name, "AKM")
            compare(page.view.callsOf("updataNameList"), [])
        }

        function test_dot_data() {
            return [
                { tag: "top of travel", to: 89, dot: 89, y: "0" },
                { tag: "bottom of travel", to: 183, dot: 183, y: "64" },
                { tag: "below the travel", to: 320, dot: 183, y: "64" },
                { tag: "above the travel", to: 10, dot: 89, y: "0" },
                { tag: "between, floored", to: 160, dot: 160, y: "48" }
            ]
        }
        function test_dot(data) {
            const page = makePage(["3", "1", "5"])
            const dot = child(page, "gunDot")
            const target = dot.parent
            mousePress(target, 100, dot.y + 11)
            mouseMove(target, 100, data.to + 11, -1, Qt.LeftButton)
            compare(dot.y, data.dot)
            compare(child(page, "gunY").textValue, data.y)
            compare(page.view.callsOf("mouseSaveGundata"), [])
            mouseRelease(target, 100, data.to + 11)
            compare(lastRecord(page), [3, ["SCAR-L", "L-Click", "12", "0", data.y, "0"]])
        }

        // The knob of a 224-pixel slider starts at 15 for period 10.
        function test_period_data() {
            return [
                { tag: "12", dx: 6, text: "12MS", stored: "12", knob: 20 },
                { tag: "5 at the left end", dx: -100, text: "5MS", stored: "5", knob: 4 },
                { tag: "91 at the right end", dx: 400, text: "91MS", stored: "91", knob: 210 }
            ]
        }
        function test_period(data) {
            const page = makePage(["0", "1", "2"])
            const period = child(page, "gunPeriod")
            const knob = child(period, "sliderKnob")
            compare(knob.x, 15)
            mouseClick(period, 120, 12)
            tryCompare(period, "isAnimating", false)
            // The knob moves under the pointer, so the pointer is placed on its slider.
            const slider = knob.parent
            mousePress(slider, knob.x + 6, 6)
            mouseMove(slider, knob.x + 6 + data.dx, 6, -1, Qt.LeftButton)
            mouseRelease(slider, 21 + data.dx, 6)
            compare(period.textValue, data.text)
            compare(lastRecord(page), [0, ["M416", "L-Click", data.stored, "0", "10", "0"]])

            page.init()
            compare(period.textValue, data.text)
            compare(knob.x, data.knob)
        }

        function test_closing() {
            const page = makePage(["3", "1", "5"])
            const view = page.view
            page.sendKeyMatrix.connect(() => view.record("sendKeyMatrix", []))
            const sent = () => view.calls.filter(c => c.name === "mouseSendGundata"
                                                      || c.name === "sendKeyMatrix")

            // Looking around changes nothing.
            mouseClick(child(page, "gunSlot1"))
            mouseClick(child(page, "gunY"))
            mouseClick(child(page, "gunRow1"))
            mouseClick(child(page, "gunClose"))
            verify(!page.visible)
            verify(!page.isDialogOpen)
            compare(sent(), [])
            compare(view.writes(), [])
            compare(view.callsOf("mouseSaveGundata"), [])

            page.open()
            mouseClick(child(page, "gunSlot1"))
            mouseClick(child(page, "gunRow4"))
            compare(view.application["mouse/selectGun"], [3, 4, 5])
            mouseClick(child(page, "gunClose"))
            compare(sent().map(c => c.name), ["mouseSendGundata", "mouseSendGundata",
                                              "mouseSendGundata", "sendKeyMatrix"])
            compare(view.callsOf("mouseSendGundata"), [[1, [0, 0, 32]], [2, [9, 4, 40]], [3, [7, 5, 50]]])
            verify(!page.isSave)

            view.clear()
            page.open()
            page.close()
            compare(sent(), [])
        }

        function test_resetData() {
            const page = makePage(["3", "1", "5"])
            mouseClick(child(page, "gunSlot2"))
            page.resetData()
            compare(page.view.application["mouse/selectGun"], [0, 1, 2])
            compare(page.view.callsOf("mouseSaveGundata"),
                    [[0, ["M416", "L-Click", "9", "0", "5", "0"]],
                     [1, ["AKM", "L-Click", "9", "1", "7", "3"]],
                     [2, ["M16A4", "L-Click", "9", "2", "8", "0"]]])
            compare(page.view.callsOf("mouseSendGundata"), [[1, [0, 0, 5]], [2, [3, 1, 7]], [3, [0, 2, 8]]])
            verify(child(page, "gunSlot0").isSelect)
            verify(!child(page, "gunSlot2").isSelect)
            compare(child(page, "gunY").textValue, "5")
            compare(child(page, "gunPeriod").textValue, "9MS")
        }
    }
}
