import QtQuick
import QtTest
import modules.qml

// TestCase itself is never visible, so the page lives beside it.
Item {
    id: scene

    width: 800
    height: 600

    TestCase {
        id: testCase
        name: "SystemSetting"
        when: windowShown

        Component {
            id: fakeComponent
            FakeView {}
        }
        Component {
            id: pageComponent
            SystemSetting {}
        }

        function stored(mouseRate, doubleRate, lod, lodEn, scrollRate) {
            return { "mouse/mouseRate": mouseRate, "mouse/doubleRate": doubleRate, "mouse/lod": lod,
                     "mouse/lodEn": lodEn, "mouse/scrollRate": scrollRate }
        }

        function makePage(profile, pointerSupport) {
            const view = createTemporaryObject(fakeComponent, testCase, {
                profile: profile || stored("100", "200", "50", "1", "3"),
                factory: stored("170", "150", "3", "0", "1000") })
            if (pointerSupport)
                view.pointerSupport = pointerSupport
            const page = createTemporaryObject(pageComponent, scene, { view: view })
            verify(page)
            page.init(false, false)
            compare(view.writes(), [])
            view.clear()
            return page
        }

        // Stored positions in, saved positions and sent values out.
        function test_storedToSent_data() {
            return [
                { tag: "left ends", profile: stored("3", "3", "3", "1", "5"),
                  saved: [3, 3, 3, 1, 5], cursor: 0, doubleClick: 0, lines: 5, lod: [125, 1],
                  lodText: "0.3mm", byScreen: false },
                { tag: "right ends", profile: stored("338", "337", "325", "0", "1000"),
                  saved: [338, 337, 325, 0, 1000], cursor: 0, doubleClick: 10, lines: 1000, lod: [90, 0],
                  lodText: "2mm", byScreen: true },
                { tag: "174 shown moved", profile: stored("174", "174", "164", "1", "100"),
                  saved: [163, 161, 164, 1, 100], cursor: 5, doubleClick: 5, lines: 100, lod: [108, 1],
                  lodText: "1.1mm", byScreen: false },
                { tag: "on breakpoints", profile: stored("37", "36", "100", "1", "0"),
                  saved: [37, 36, 100, 1, 2], cursor: 2, doubleClick: 1, lines: 2, lod: [115, 1],
                  lodText: "0.8mm", byScreen: false }
            ]
        }
        function test_storedToSent(data) {
            const page = makePage(data.profile)
            compare(findChild(page, "lodText").text, data.lodText)
            compare(findChild(page, "scrollScreen").isSelect, data.byScreen)
            compare(findChild(page, "scrollRows").isSelect, !data.byScreen)
            compare(findChild(page, "lodEnable").isSelect, data.lod[1] === 1)

            page.init(true, false)
            const profile = page.view.profile
            compare([profile["mouse/mouseRate"], profile["mouse/doubleRate"], profile["mouse/lod"],
                     profile["mouse/lodEn"], profile["mouse/scrollRate"]], data.saved)
            compare(page.view.callsOf("mouseSetCursorSpeed"), [[data.cursor]])
            compare(page.view.callsOf("mouseSetDoubleClickSpeed"), [[data.doubleClick]])
            compare(page.view.callsOf("mouseSetVerticalScrollLines"), [[data.lines]])
            compare(page.view.callsOf("mouseSetLodValue"), [data.lod])
            verify(!page.isSave)
        }

        function test_stepSendsOnlyItsSetting_data() {
            return [
                { tag: "all", send: true, step: 0,
                  sent: ["mouseSetCursorSpeed", "mouseSetDoubleClickSpeed",
                         "mouseSetVerticalScrollLines", "mouseSetLodValue"] },
                { tag: "pointer", send: true, step: 1, sent: ["mouseSetCursorSpeed", "mouseSetLodValue"] },
                { tag: "double click", send: true, step: 2,
                  sent: ["mouseSetDoubleClickSpeed", "mouseSetLodValue"] },
                { tag: "wheel", send: true, step: 3,
                  sent: ["mouseSetVerticalScrollLines", "mouseSetLodValue"] },
                { tag: "not sending", send: false, step: 0, sent: [] }
            ]
        }
        function test_stepSendsOnlyItsSetting(data) {
            const page = makePage()
            page.saveData(data.send, data.step)
            compare(page.view.writes().filter(name => name.startsWith("mouseSet")), data.sent)
            compare(page.view.callsOf("setData").map(args => args[0]),
                    ["mouse/mouseRate", "mouse/doubleRate", "mouse/lod", "mouse/lodEn",
                     "mouse/scrollRate"])
        }

        function test_factoryValues() {
            const page = makePage()
            page.init(true, true)
            verify(page.view.callsOf("getData").every(args => args[1] === true))
            compare(page.view.lastArgs("mouseSetVerticalScrollLines"), [1000])
            compare(page.view.lastArgs("mouseSetLodValue"), [125, 0])
        }

        function test_journey() {
            const page = makePage()
            const lines = findChild(page, "scrollLines")

            // One screen per notch is stored and sent as 1000.
            mouseClick(findChild(page, "scrollScreen"))
            verify(page.isSave)
            verify(!findChild(page, "scrollRows").isSelect)
            page.saveData(true, 3)
            compare(page.view.profile["mouse/scrollRate"], 1000)
            compare(page.view.lastArgs("mouseSetVerticalScrollLines"), [1000])

            // Back to rows: an emptied field reads 2 once it loses focus.
            page.isSave = false
            mouseClick(findChild(page, "scrollRows"))
            verify(page.isSave)
            verify(!findChild(page, "scrollScreen").isSelect)
            mouseClick(lines)
            keySequence(StandardKey.SelectAll)
            keyClick(Qt.Key_Delete)
            page.closeFocus()
            compare(lines.txtInput.text, "2")
            page.isSave = false
            mouseClick(lines)
            keySequence(StandardKey.SelectAll)
            keyClick(Qt.Key_1)
            keyClick(Qt.Key_5)
            page.closeFocus()
            verify(page.isSave)
            page.saveData(true, 3)
            compare(page.view.lastArgs("mouseSetVerticalScrollLines"), [15])

            // The lift-off slider dragged to its right end reads 2mm and sends 90.
            page.isSave = false
            const lod = findChild(page, "lodSlider")
            mouseDrag(lod, lod.knobX + 6, lod.height / 2, 400, 0)
            compare(findChild(page, "lodText").text, "2mm")
            verify(page.isSave)
            mouseClick(findChild(page, "lodEnable"))
            page.saveData(true, 0)
            compare(page.view.lastArgs("mouseSetLodValue"), [90, 0])
            compare(page.view.profile["mouse/lod"], 325)

            // The pointer slider dragged to its left end sends index 0.
            const speed = findChild(page, "mouseSpeedSlider")
            mouseDrag(speed, speed.knobX + 6, speed.height / 2, -400, 0)
            page.saveData(true, 1)
            compare(page.view.profile["mouse/mouseRate"], 3)
            compare(page.view.lastArgs("mouseSetCursorSpeed"), [0])
        }

        function offering(speed, doubleClick, wheel, desktop) {
            return { cursorSpeed: speed === "", cursorSpeedGap: speed,
                     doubleClick: doubleClick === "", doubleClickGap: doubleClick,
                     wheelLines: wheel === "", wheelLinesGap: wheel, desktop: desktop }
        }

        // A setting the desktop cannot take is disabled, says why, and
        // neither a click nor a drag changes it; the others still work.
        function test_unsupportedSettingIsGreyedOut_data() {
            return [
                { tag: "GNOME, no wheel lines", support: offering("", "", "noSetting", "GNOME"),
                  notes: ["", "", "GNOME keeps no wheel-lines setting"] },
                { tag: "X11, no double click or wheel lines",
                  support: offering("", "noSetting", "noSetting", "X11"),
                  notes: ["", "This desktop keeps no such setting", "This desktop keeps no such setting"] },
                { tag: "Plasma without kwriteconfig", support: offering("", "noTool", "noTool", "KDE"),
                  notes: ["", "The desktop's settings tool is not installed",
                          "The desktop's settings tool is not installed"] },
                { tag: "Plasma without KWin", support: offering("noDevice", "", "", "KDE"),
                  notes: ["No pointer device takes this setting", "", ""] }
            ]
        }
        function test_unsupportedSettingIsGreyedOut(data) {
            const page = makePage(stored("100", "200", "50", "1", "3"), data.support)
            const controls = [findChild(page, "mouseSpeedSlider"), findChild(page, "doubleClickSlider"),
                              findChild(page, "scrollLines")]
            const noteNames = ["mouseSpeedNote", "doubleClickNote", "wheelLinesNote"]
            for (let i = 0; i < 3; ++i) {
                const note = findChild(page, noteNames[i])
                compare(note.visible, data.notes[i] !== "", noteNames[i])
                compare(note.text, data.notes[i])
                compare(controls[i].enabled, data.notes[i] === "", controls[i].objectName)
            }
            compare(findChild(page, "scrollScreen").enabled, data.notes[2] === "")

            // Drag every slider to its left end and click the wheel choices.
            for (const slider of controls.slice(0, 2)) {
                mouseDrag(slider, slider.knobX + 6, slider.height / 2, -400, 0)
                mouseClick(slider, slider.width - 4, slider.height / 2)
            }
            mouseClick(findChild(page, "scrollScreen"))
            wait(200) // the knob's glide after a click
            compare(page.mouseRate === 100, data.notes[0] !== "")
            compare(page.doubleRate === 200, data.notes[1] !== "")
            compare(page.scrollScreen, data.notes[2] === "")
            compare(findChild(page, "scrollRows").isSelect, data.notes[2] !== "")
            verify(page.isSave)

            // A screen reader's press on the greyed-out choice changes nothing either.
            page.isSave = false
            findChild(page, "scrollScreen").choose()
            compare(page.scrollScreen, data.notes[2] === "")
            compare(findChild(page, "scrollScreen").isSelect, data.notes[2] === "")
            compare(page.isSave, data.notes[2] === "")
        }

        // The switch acts at once and shows what the file says.
        function test_autostartSwitch() {
            const page = makePage()
            const box = findChild(page, "autostartSwitch")
            verify(!box.isSelect)
            mouseClick(box)
            verify(box.isSelect)
            verify(page.view.autostartFile)
            verify(!page.isSave)
            mouseClick(box)
            verify(!box.isSelect)
            verify(!page.view.autostartFile)

            // Turned on outside Kairo: the next init shows it.
            page.view.autostartFile = true
            page.init(false, false)
            verify(box.isSelect)

            // Removed by the user, then a write that fails: the switch stays off.
            page.view.autostartFile = false
            page.init(false, false)
            page.view.autostartWritable = false
            mouseClick(box)
            compare(page.view.lastArgs("setAutostartEnabled"), [true])
            verify(!box.isSelect)
            verify(!page.autostart)
        }

        function test_replacedLanguageKeepsEnglishForGaps() {
            const page = makePage()
            page.systemSettingLang = ["Systemeinstellung", "", "", "", "", "", "Zeilen"]
            compare(findChild(page, "scrollRows").textValue, "Zeilen")
            compare(findChild(page, "scrollScreen").textValue, "Scroll one Screen")
            compare(findChild(page, "lodEnable").textValue, "Enable")
        }
    }
}
