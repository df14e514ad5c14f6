import QtQuick
import QtTest
import modules.qml

// TestCase itself is never visible, so the page and its overlay live beside it.
Item {
    id: scene

    width: 1280
    height: 720

    Item {
        id: overlay
        anchors.fill: parent
        z: 10
    }

    TestCase {
        id: testCase
        name: "LightControl"
        when: windowShown

        Component {
            id: fakeComponent
            LightControlView {}
        }
        Component {
            id: pageComponent
            LightControl {}
        }

        // Fifteen blocks of one colour, as the store hands them back: text.
        function blocks(r, g, b) {
            const list = []
            for (let i = 0; i < 15; ++i)
                list.push(String(r), String(g), String(b))
            return list
        }

        function preset(store, n, values, colors, colorIndex) {
            const suffix = n > 0 ? String(n) : ""
            store["mouseLight/lightValue" + suffix] = values.map(String)
            store["mouseLight/colorValue" + suffix] = colors
            store["mouseLight/colorIndex" + suffix] = String(colorIndex)
        }

        function factory() {
            const store = { "mouseLight/lightCount": "1", "mouseLight/lightNo": "0",
                            "mouseLight/lightName": ["BACKLIGHT 1", "loaderzumbek"] }
            for (let n = 0; n < 4; ++n)
                preset(store, n, [0, 2, 8, 0], blocks(255, 0, 0), 0)
            return store
        }

        function makePage(profile) {
            const view = createTemporaryObject(fakeComponent, testCase, {
                profile: profile, factory: factory() })
            const page = createTemporaryObject(pageComponent, scene, {
                view: view, overlayParent: overlay })
            verify(page)
            page.init(false, false)
            compare(view.writes(), [])
            view.clear()
            return page
        }

        function typeText(text) {
            for (const ch of text)
                keyClick(ch)
        }

        function chooseEffect(page, position) {
            const list = findChild(page, "lightEffectList")
            mouseClick(findChild(list, "dropBox"))
            tryCompare(list, "isAnimating", false)
            mouseClick(findChild(list, "row" + position))
            tryCompare(page, "effectIndex", position)
        }

        function test_effect_data() {
            return [
                { tag: "Static", position: 0, code: 0, speed: false, brightness: true, direction: false },
                { tag: "Circulating Water", position: 3, code: 3, speed: true, brightness: true,
                  direction: true },
                { tag: "Symmetrical Flow", position: 4, code: 5, speed: true, brightness: true,
                  direction: true },
                { tag: "OFF", position: 5, code: 6, speed: false, brightness: false, direction: false }
            ]
        }
        // The list position chosen is stored and sent as its effect code, and
        // only the controls the effect uses stay enabled.
        function test_effect(data) {
            const store = factory()
            preset(store, 0, [1, 2, 8, 0], blocks(0, 0, 255), 0)
            const page = makePage(store)
            chooseEffect(page, data.position)
            verify(page.isSave)
            compare(findChild(page, "lightEffectList").textValue, data.tag)
            compare(findChild(page, "lightSpeed").enabled, data.speed)
            compare(findChild(page, "lightBrightness").enabled, data.brightness)
            compare(findChild(page, "lightDirection0").parent.enabled, data.direction)
            compare(findChild(page, "lightBrightness").opacity, data.brightness ? 1.0 : 0.5)

            page.saveData(true, 0)
            compare(page.view.profile["mouseLight/lightValue"], [data.code, 2, 8, 0])
            compare(page.view.lastArgs("mouseSetLedType").slice(0, 4), [data.code, 40, 2, 0])
        }

        function test_markedUnsaved_data() {
            return [
                { tag: "another colour block", control: "lightBlock5", index: 5,
                  direction: 0 },
                { tag: "the direction", control: "lightDirection1", index: 0, direction: 1 }
            ]
        }
        // The chosen block's colour and the direction are what Save sends,
        // so choosing either leaves the page unsaved until then.
        function test_markedUnsaved(data) {
            const store = factory()
            const colors = blocks(255, 0, 0)
            colors.splice(15, 3, "0", "255", "0")
            preset(store, 0, [3, 2, 8, 0], colors, 0)
            const page = makePage(store)
            verify(!page.isSave)
            mouseClick(findChild(page, data.control))
            verify(page.isSave)
            page.saveData(true, 0)
            const sent = page.view.lastArgs("mouseSetLedType")
            compare(sent[3], data.direction)
            compare(sent[4].slice(0, 3), data.index === 5 ? [0, 255, 0] : [255, 0, 0])
        }

        // A stored preset reaches the controls and goes back out through Save.
        function test_storeAndSend() {
            const store = factory()
            store["mouseLight/lightName"] = ["Mine", "loaderzumbek"]
            const colors = blocks(0, 0, 0)
            colors.splice(6, 3, "255", "128", "0")
            preset(store, 0, [3, 4, 3, 1], colors, 2)
            const page = makePage(store)
            compare(page.effectIndex, 3)
            compare(page.blockColors[2], "#ff8000")
            compare(findChild(page, "lightR").textValue, "255")
            compare(findChild(page, "lightG").textValue, "128")
            verify(findChild(page, "lightDirection1").isSelect)
            verify(!findChild(page, "lightDirection0").isSelect)

            // The right end of the brightness scale is segment 10, sent as 50.
            const brightness = findChild(page, "lightBrightness")
            mouseClick(brightness, brightness.width - 2, 9)
            tryCompare(page, "brightnessValue", 10)
            verify(page.isSave)
            mouseClick(findChild(page, "lightDirection0"))
            compare(page.directionValue, 0)
            page.saveData(true, 0)

            const sent = page.view.lastArgs("mouseSetLedType")
            compare(sent.slice(0, 4), [3, 50, 4, 0])
            compare(sent[4].length, 45)
            compare(sent[4].slice(0, 3), [255, 128, 0])
            compare(sent[4].slice(42), [255, 128, 0])
            const saved = page.view.profile
            compare(saved["mouseLight/lightName"], ["Mine", "loaderzumbek"])
            compare(saved["mouseLight/lightCount"], 1)
            compare(saved["mouseLight/lightNo"], 0)
            compare(saved["mouseLight/colorIndex"], 2)
            compare(saved["mouseLight/lightValue"], [3, 4, 10, 0])
            compare(saved["mouseLight/colorValue"].slice(3, 9), [0, 0, 0, 255, 128, 0])

            // The hue bar and the fields colour the selected block.
            mouseClick(findChild(page, "lightBlock5"))
            compare(page.colorIndex, 5)
            const hue = findChild(page, "lightHueBar")
            mouseClick(hue, hue.width / 2, 7)
            compare(page.blockColors[5], "#00ffff")
            const green = findChild(page, "lightG")
            mouseClick(green)
            keySequence(StandardKey.SelectAll)
            keyClick(Qt.Key_6)
            keyClick(Qt.Key_4)
            page.closeFocus()
            compare(page.blockColors[5], "#0040ff")

            // A factory reset keeps the presets and sends the factory lighting.
            page.view.clear()
            page.init(true, true)
            verify(page.view.callsOf("getData").every(args => args[1] === true))
            compare(page.view.lastArgs("mouseSetLedType").slice(0, 4), [0, 40, 2, 0])
            compare(page.view.profile["mouseLight/lightName"], ["Mine", "loaderzumbek"])
        }

        // Select, Confirm, New, Delete and Rename through the preset panel.
        function test_presetJourney() {
            const store = factory()
            store["mouseLight/lightCount"] = "3"
            store["mouseLight/lightNo"] = "0"
            store["mouseLight/lightName"] = ["BACKLIGHT 1", "Work", "BACKLIGHT 3"]
            preset(store, 0, [0, 1, 5, 0], blocks(255, 0, 0), 0)
            preset(store, 1, [2, 3, 6, 0], blocks(0, 255, 0), 4)
            preset(store, 2, [5, 4, 9, 1], blocks(0, 0, 255), 7)
            const page = makePage(store)
            const panel = findChild(overlay, "lightPresetPanel")

            mouseClick(findChild(page, "lightPresetOpen"))
            verify(page.isDialogOpen)

            // Symmetrical Flow comes back as that effect and is confirmed as code 5.
            mouseClick(findChild(panel, "lightPreset2"))
            compare(page.presetNo, 2)
            compare(page.effectIndex, 4)
            compare(findChild(page, "lightEffectList").textValue, "Symmetrical Flow")
            compare([page.speedValue, page.brightnessValue, page.directionValue, page.colorIndex],
                    [4, 9, 1, 7])
            verify(page.isSave)
            mouseClick(findChild(panel, "lightPresetConfirm"))
            verify(!page.isDialogOpen)
            compare(page.view.profile["mouseLight/lightValue2"], [5, 4, 9, 1])
            compare(page.view.profile["mouseLight/lightNo"], 2)

            // New takes the first free default name and the factory values of its number.
            page.openPresets()
            mouseClick(findChild(panel, "lightPresetNew"))
            compare(page.presetNames, ["BACKLIGHT 1", "Work", "BACKLIGHT 3", "BACKLIGHT 2"])
            compare(page.presetNo, 3)
            compare(page.view.profile["mouseLight/lightValue3"], [0, 2, 8, 0])
            compare(page.view.profile["mouseLight/lightCount"], 4)

            // A fifth New does nothing.
            page.view.clear()
            mouseClick(findChild(panel, "lightPresetNew"))
            page.newPreset()
            compare(page.presetNames.length, 4)
            compare(page.view.writes(), [])

            // Deleting "Work" moves the later presets down, stored values and all.
            mouseClick(findChild(panel, "lightPreset1"))
            mouseClick(findChild(panel, "lightPresetDelete"))
            compare(page.presetNames, ["BACKLIGHT 1", "BACKLIGHT 3", "BACKLIGHT 2"])
            compare(page.view.profile["mouseLight/lightValue1"], [5, 4, 9, 1])
            compare(page.view.profile["mouseLight/colorValue1"], blocks(0, 0, 255).map(Number))
            compare(page.view.profile["mouseLight/colorIndex1"], 7)
            compare(page.view.profile["mouseLight/lightValue2"], [0, 2, 8, 0])
            compare(page.view.profile["mouseLight/lightCount"], 3)
            compare(page.presetNo, 0)
            compare(page.effectIndex, 0)
            compare(page.blockColors[0], "#ff0000")

            // The moved Symmetrical Flow preset still reads as that effect.
            mouseClick(findChild(panel, "lightPreset1"))
            compare(page.effectIndex, 4)

            // A rename to a name in use is refused; a new one is stored at once.
            const row = findChild(panel, "lightPreset0")
            mouseDoubleClickSequence(row)
            const editor = findChild(row, "lightPresetEdit")
            tryCompare(editor, "activeFocus", true)
            keySequence(StandardKey.SelectAll)
            typeText("Day")
            keyClick(Qt.Key_Return)
            compare(page.presetNames[0], "Day")
            compare(page.view.profile["mouseLight/lightName"], ["Day", "BACKLIGHT 3", "BACKLIGHT 2"])
            mouseDoubleClickSequence(row)
            tryCompare(editor, "activeFocus", true)
            keySequence(StandardKey.SelectAll)
            typeText("BACKLIGHT 3")
            page.closeFocus()
            compare(page.presetNames[0], "Day")
        }
    }
}
