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
        name: "DpiSetting"
        when: windowShown

        Component {
            id: fakeComponent
            FakeView {}
        }
        Component {
            id: pageComponent
            DpiSetting {}
        }

        // Lists come back from a reloaded profile as text.
        function storedProfile() {
            return {
                "mouse/dpiCount": "8",
                "mouse/currentDpiCount": "5",
                "mouse/dpiValueArray": ["500", "1000", "1500", "2000", "3000", "4000", "6500", "7000"],
                "mouse/dpiEnableArray": ["1", "1", "1", "1", "1", "0", "0", "0"],
                "mouse/dpiColorArray": ["#ff0000", "#0000ff", "#00ff00", "#ffff00", "#00ffff",
                                        "#ff00ff", "#123456", "#654321"]
            }
        }
        function factoryProfile() {
            return {
                "mouse/dpiCount": "8",
                "mouse/currentDpiCount": "4",
                "mouse/dpiValueArray": ["800", "1600", "2400", "3200", "4000", "4800", "5600", "6400"],
                "mouse/dpiEnableArray": ["1", "1", "1", "1", "1", "1", "1", "1"],
                "mouse/dpiColorArray": ["#ffffff", "#ffffff", "#ffffff", "#ffffff", "#ffffff",
                                        "#ffffff", "#ffffff", "#ffffff"]
            }
        }
        function application() {
            return { "mouse/minDPI": "500", "mouse/maxDPI": "7000", "mouse/dpiBase": "500",
                     "mouse/sensorType": "3389" }
        }

        function makePage(profile, app) {
            const view = createTemporaryObject(fakeComponent, testCase, {
                profile: profile || storedProfile(), factory: factoryProfile(),
                application: app || application() })
            const page = createTemporaryObject(pageComponent, scene, { view: view })
            verify(page)
            page.init(false, false)
            view.clear()
            return page
        }

        function shownValues(page) {
            const values = []
            for (let i = 0; i < 8; ++i)
                values.push(parseInt(findChild(page, "dpiValue" + i).text))
            return values
        }

        function test_knobGivesWholeSteps_data() {
            return [
                { tag: "left end", min: "500", max: "7000", base: "500", knob: 3, dpi: 500 },
                { tag: "right end", min: "500", max: "7000", base: "500", knob: 420, dpi: 7000 },
                { tag: "floored", min: "500", max: "7000", base: "500", knob: 100, dpi: 2000 },
                { tag: "fine step", min: "400", max: "16000", base: "100", knob: 200, dpi: 7700 },
                { tag: "odd step", min: "100", max: "12000", base: "50", knob: 37, dpi: 1050 }
            ]
        }
        function test_knobGivesWholeSteps(data) {
            const app = application()
            app["mouse/minDPI"] = data.min
            app["mouse/maxDPI"] = data.max
            app["mouse/dpiBase"] = data.base
            const page = makePage(null, app)
            const slider = findChild(page, "dpiSlider3")
            // The text follows a drag without making the page dirty.
            slider.dragSignal(true)
            slider.valueChange(data.knob)
            compare(findChild(page, "dpiValue3").text, String(data.dpi))
            verify(!page.isSave)
            slider.valueChangeDelay(data.knob)
            slider.dragSignal(false)
            compare(findChild(page, "dpiValue3").text, String(data.dpi))
            verify(page.isSave)
            compare(page.view.writes(), [])
        }

        function test_stepButtons_data() {
            return [
                { tag: "minus at the minimum", stage: 0, button: "dpiMinus", dpi: 500, dirty: false },
                { tag: "plus at the maximum", stage: 7, button: "dpiPlus", dpi: 7000, dirty: false },
                { tag: "plus below the maximum", stage: 6, button: "dpiPlus", dpi: 7000, dirty: true },
                { tag: "minus above the minimum", stage: 1, button: "dpiMinus", dpi: 500, dirty: true }
            ]
        }
        function test_stepButtons(data) {
            const page = makePage()
            const slider = findChild(page, "dpiSlider" + data.stage)
            const knobBefore = slider.knobX
            const others = shownValues(page)
            mouseClick(findChild(page, data.button + data.stage))
            compare(findChild(page, "dpiValue" + data.stage).text, String(data.dpi))
            compare(page.isSave, data.dirty)
            verify(data.dirty ? slider.knobX !== knobBefore : slider.knobX === knobBefore)
            others[data.stage] = data.dpi
            compare(shownValues(page), others)
        }

        function test_initSendsOnlyWhenAsked() {
            const page = makePage()
            page.init(false, false)
            compare(page.view.writes(), [])
            compare(shownValues(page), [500, 1000, 1500, 2000, 3000, 4000, 6500, 7000])
            compare(page.currentDpiCount, 5)

            page.init(true, false)
            compare(page.view.writes(), ["setDataList", "setData", "setDataList", "mouseSetDpi",
                                         "setDataList", "mouseSetRGBColor"])
            compare(page.view.lastArgs("mouseSetDpi"),
                    [5, "3389", [500, 1000, 1500, 2000, 3000, 4000, 6500, 7000], [1, 1, 1, 1, 1, 0, 0, 0]])
            // Stages 7 and 8 light white whatever the profile holds for them.
            compare(page.view.lastArgs("mouseSetRGBColor"),
                    [1, [255, 0, 0, 0, 0, 255, 0, 255, 0, 255, 255, 0, 0, 255, 255, 255, 0, 255,
                         255, 255, 255, 255, 255, 255]])
            compare(page.view.profile["mouse/dpiColorArray"],
                    ["#ff0000", "#0000ff", "#00ff00", "#ffff00", "#00ffff", "#ff00ff"])
            verify(!page.isSave)
        }

        function test_plusThenSave() {
            const page = makePage()
            mouseClick(findChild(page, "dpiPlus2"))
            verify(page.isSave)
            compare(page.view.writes(), [])
            page.saveData(true)
            const values = [500, 1000, 2000, 2000, 3000, 4000, 6500, 7000]
            compare(page.view.profile["mouse/dpiValueArray"], values)
            compare(page.view.profile["mouse/currentDpiCount"], 5)
            compare(page.view.profile["mouse/dpiEnableArray"], [1, 1, 1, 1, 1, 0, 0, 0])
            compare(page.view.lastArgs("mouseSetDpi"), [5, "3389", values, [1, 1, 1, 1, 1, 0, 0, 0]])

            page.view.clear()
            page.saveData(false)
            compare(page.view.writes(), ["setDataList", "setData", "setDataList", "setDataList"])
        }

        function test_rowsAndHighlight() {
            const profile = storedProfile()
            profile["mouse/dpiCount"] = "6"
            const page = makePage(profile)
            for (let i = 0; i < 8; ++i)
                compare(findChild(page, "dpiSlider" + i).visible, i < 6, "row " + i)
            page.currentDPI = 2
            compare(findChild(page, "dpiSlider2").colorS, Theme.colorAccent)
            compare(findChild(page, "dpiSlider1").colorS, Theme.colorPrimary)
            // Stage 7 keeps its fixed white swatch and opens nothing.
            page.view.profile["mouse/dpiCount"] = "8"
            page.init(false, false)
            const stage7 = findChild(page, "dpiSwatch6")
            verify(stage7.visible)
            verify(Qt.colorEqual(stage7.color, "#ffffff"))
            mouseClick(stage7)
            verify(!findChild(page, "dpiAssigment").visible)
        }

        function test_pageResetReadsFactory() {
            const page = makePage()
            mouseClick(findChild(page, "dpiReset"))
            compare(shownValues(page), [800, 1600, 2400, 3200, 4000, 4800, 5600, 6400])
            compare(page.currentDpiCount, 4)
            verify(Qt.colorEqual(findChild(page, "dpiSwatch1").color, "#ffffff"))
            verify(page.isSave)
            compare(page.view.writes(), [])
            verify(page.view.callsOf("getDataList").every(args => args[1] === true))
        }

        function test_colourJourney() {
            const page = makePage()
            const dialog = findChild(page, "dpiAssigment")
            const wheel = findChild(page, "dpiColorWheel")

            // Picked on the wheel at 9 o'clock: cyan; cancelling keeps the swatch.
            mouseClick(findChild(page, "dpiSwatch0"))
            verify(dialog.visible)
            mouseClick(wheel, 4, wheel.height / 2)
            compare(dialog.colorValue, "#00ffff")
            mouseClick(findChild(page, "dpiColorCancel"))
            verify(!dialog.visible)
            verify(Qt.colorEqual(findChild(page, "dpiSwatch0").color, "#ff0000"))
            verify(!page.isSave)

            // Picked at 12 o'clock: hues turn anticlockwise from red, so a
            // quarter turn is yellowish green. For stage 2.
            mouseClick(findChild(page, "dpiSwatch1"))
            compare(dialog.colorValue, "#0000ff")
            mouseClick(wheel, wheel.width / 2, 4)
            compare(findChild(page, "dpiColorGreen").txtInput.text, "255")
            mouseClick(findChild(page, "dpiColorOk"))
            verify(!dialog.visible)
            verify(Qt.colorEqual(findChild(page, "dpiSwatch1").color, "#80ff00"))
            verify(page.isSave)

            // Typed bytes, for stage 4; the field still has focus when OK comes.
            mouseClick(findChild(page, "dpiSwatch3"))
            for (const [name, text] of [["dpiColorRed", "12"], ["dpiColorGreen", "34"],
                                        ["dpiColorBlue", "56"]]) {
                const field = findChild(page, name)
                mouseDoubleClickSequence(field)
                keySequence(StandardKey.SelectAll)
                keyClick(Qt.Key_Delete)
                for (const ch of text)
                    keyClick(ch)
            }
            mouseClick(findChild(page, "dpiColorOk"))
            verify(Qt.colorEqual(findChild(page, "dpiSwatch3").color, "#0c2238"))
            compare(page.view.writes(), [])

            page.saveData(true)
            compare(page.view.profile["mouse/dpiColorArray"],
                    ["#ff0000", "#80ff00", "#00ff00", "#0c2238", "#00ffff", "#ff00ff"])
            compare(page.view.lastArgs("mouseSetRGBColor")[1].slice(0, 12),
                    [255, 0, 0, 128, 255, 0, 0, 255, 0, 12, 34, 56])
        }

        function test_dragSetsValue() {
            const page = makePage()
            const slider = findChild(page, "dpiSlider4")
            mouseDrag(slider, slider.knobX + 6, slider.height / 2, -500, 0)
            compare(findChild(page, "dpiValue4").text, "500")
            verify(page.isSave)
            mouseDrag(slider, slider.knobX + 6, slider.height / 2, 600, 0)
            compare(findChild(page, "dpiValue4").text, "7000")
        }

        function test_replacedLanguageKeepsEnglishForGaps() {
            const page = makePage()
            page.dpiSettingLang = ["DPI-Einstellung", "Stufe", ""]
            compare(findChild(page, "dpiTitle").text, "DPI-Einstellung")
            compare(findChild(page, "dpiSwatch0").Accessible.name, "Stage colour 1")
        }
    }
}
