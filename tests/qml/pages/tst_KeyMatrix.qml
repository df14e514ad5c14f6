import QtQuick
import QtTest
import modules.qml

// The page, its menus and dialogs live beside the invisible TestCase; the
// scene item stands in for the frame's overlay.
Item {
    id: scene

    width: 1280
    height: 720

    TestCase {
        id: testCase
        name: "KeyMatrix"
        when: windowShown

        Component {
            id: fakeComponent
            FakeView {}
        }
        Component {
            id: pageComponent
            KeyMatrix {}
        }

        // As a reloaded profile gives them: numbers as text. Button 3 plays
        // the macro "Fire" in both modes.
        function storedProfile() {
            return {
                "mouseKeyMatrix/3": ["4", "0", "3", "0"],
                "mouseKeyMatrix/5": ["5", "0", "1", "0"],
                "mouseKeyMatrix/9": ["3", "0", "226", "0"],
                "mouseMacroKey/3": "Fire",
                "mouseKeyMatrix2/3": ["4", "1", "3", "0"],
                "mouseMacroKey2/3": "Fire"
            }
        }

        function makePage(mode) {
            // The last page's menus and dialogs sit in the scene until deleted.
            wait(0)
            const view = createTemporaryObject(fakeComponent, testCase, {
                profile: storedProfile(), factory: {},
                macroFolders: { "": [["Tools", 1], ["Fire", 0]], "Tools": [["Combo", 0]] },
                macroFiles: { "Fire": ["1,A", "0,20", "2,A", "1"], "Combo": ["1,Z", "0,20", "2,Z", "3"] }
            })
            const page = createTemporaryObject(pageComponent, scene, {
                view: view, overlayParent: scene, mouseMode: mode || 0 })
            verify(page)
            page.init(false, false)
            view.clear()
            return page
        }

        // Lists in name.bin end in the placeholder however long they are; the
        // tree lists what is in front of it, in every folder.
        function test_treeReadsStoredListsWithoutThePlaceholder_data() {
            return [
                { tag: "one entry", root: [["a", 0], ["loaderzumbek", 0]], rows: ["a"] },
                { tag: "behind two", root: [["a", 0], ["b", 0], ["loaderzumbek", 0]],
                  rows: ["a", "b"] },
                { tag: "in a folder", root: [["F", 1]],
                  folder: [["c", 0], ["d", 0], ["loaderzumbek", 0]], rows: ["F", "F/c", "F/d"] }
            ]
        }
        function test_treeReadsStoredListsWithoutThePlaceholder(data) {
            const view = createTemporaryObject(fakeComponent, testCase, {
                macroFolders: { "": data.root, "F": data.folder || [] } })
            const rows = MacroTree.readTree(view, SceneLogic.storedList).map(e => e.path.concat([e.textValue]).join("/"))
            compare(rows, data.rows)
        }

        function code(page, mode, button) {
            return page.codes[mode][button].slice()
        }

        function click(name) {
            const item = findChild(scene, name)
            verify(item, name)
            verify(item.visible, name + " visible")
            // A menu just filled has not placed its rows yet.
            waitForItemPolished(item.parent)
            mouseClick(item)
        }

        function openMenu(button) {
            click("keyRow" + button)
            verify(findChild(scene, "keyAssigment").visible)
        }

        function test_choosing_data() {
            return [
                { tag: "new function", button: 3, path: ["menu_DPIFunction", "menu_DPI+"],
                  code: [5, 0, 1, 0], text: "DPI+", isSave: true, warned: false },
                { tag: "same function again", button: 5, path: ["menu_DPIFunction", "menu_DPI+"],
                  code: [5, 0, 1, 0], text: "DPI+", isSave: false, warned: false },
                { tag: "left button keeps its function", button: 0, path: ["menu_RightKey"],
                  code: [0, 0, 0xF0, 0], text: "Left Key", isSave: false, warned: true },
                { tag: "no media on the left button", button: 0, path: ["menu_MediaFunction", "menu_Mute"],
                  code: [0, 0, 0xF0, 0], text: "Left Key", isSave: false, warned: true },
                { tag: "double fire on the left button", button: 0,
                  path: ["menu_FireFunction", "menu_DoubleFire"],
                  code: [0, 0xF0, 0x1E, 2], text: "Double Fire", isSave: true, warned: false },
                { tag: "reset key", button: 9, path: ["menu_Resetkey"],
                  code: [0, 0, 0, 0], text: "Disabled", isSave: true, warned: false },
                { tag: "reset key, already so", button: 2, path: ["menu_Resetkey"],
                  code: [0, 0, 0xF2, 0], text: "Middle Key", isSave: false, warned: false }
            ]
        }
        function test_choosing(data) {
            const page = makePage()
            openMenu(data.button)
            compare(page.selectedButton, data.button)
            for (const name of data.path)
                click(name)
            compare(code(page, 0, data.button), data.code)
            compare(findChild(scene, "keyText" + data.button).text, data.text)
            compare(page.isSave, data.isSave)
            compare(page.isDialogOpen, data.warned)
            const warning = findChild(scene, "warningAssigment")
            compare(warning.visible, data.warned)
            if (data.warned) {
                compare(findChild(warning, "warningMessage").text,
                        "Please keep a key at least for the left button function.")
                click("warningOk")
                verify(!page.isDialogOpen)
            }
            compare(page.selectedButton, -1)
            compare(findChild(scene, "keyAssigment").visible, false)
            compare(page.view.callsOf("mouseSetKeyMatrix").length, 0)
        }

        function test_gunFunctionOnlyInGameMode() {
            const office = makePage(0)
            openMenu(1)
            verify(!findChild(scene, "menu_GunFunction"))
            office.destroy()
            const game = makePage(1)
            openMenu(1)
            click("menu_GunFunction")
            click("menu_ThreeGun")
            compare(code(game, 1, 1), [8, 0, 3, 0])
            compare(code(game, 0, 1), [0, 0, 0xF1, 0])
        }

        function test_groupJourney() {
            const page = makePage()
            openMenu(4)
            click("menu_GroupFunction")
            verify(page.isComboInput && page.isDialogOpen)
            verify(!page.isFireInput)
            page.detectKeyboard(true, 0x04)      // a slip, let go before the real combination
            page.detectKeyboard(false, 0x04)
            page.detectKeyboard(true, 0xE0)
            page.detectKeyboard(true, 0x1D)
            page.detectKeyboard(true, 0x1D)      // auto-repeat
            page.detectKeyboard(false, 0x1D)
            page.detectKeyboard(false, 0xE0)
            compare(findChild(scene, "groupKeys").text, "LCtrl + Z")
            compare(findChild(scene, "groupCodeHex").text, "02011D00")
            click("groupOk")
            verify(!page.isComboInput && !page.isDialogOpen)
            compare(code(page, 0, 4), [2, 1, 0x1D, 0])
            compare(findChild(scene, "keyText4").text, "LCtrl+Z")
            verify(page.isSave)
            // Keys after the dialog closed reach nobody.
            page.detectKeyboard(true, 0x05)
            compare(code(page, 0, 4), [2, 1, 0x1D, 0])
        }

        function test_fireJourney() {
            const page = makePage()
            openMenu(2)
            click("menu_FireFunction")
            click("menu_FireKey")
            verify(page.isFireInput && page.isDialogOpen)
            page.detectKeyboard(true, 0x1D)
            compare(findChild(scene, "fireKeyName").text, "Z")
            // Typing the times must not change the key.
            const times = findChild(scene, "fireTimes")
            mouseClick(times)
            verify(!page.isFireInput)
            times.txtInput.selectAll()
            keyClick(Qt.Key_7)
            page.detectKeyboard(true, 0x24)
            compare(findChild(scene, "fireKeyName").text, "Z")
            keyClick(Qt.Key_Return)
            compare(times.textValue, "7")
            verify(!findChild(scene, "fireEndness").isSelect)
            compare(findChild(scene, "fireCodeHex").text, "011D0A07")
            click("fireEndness")
            compare(times.textValue, "0")
            compare(findChild(scene, "fireCodeHex").text, "011D0A00")
            click("fireOk")
            verify(!page.isFireInput && !page.isDialogOpen)
            compare(code(page, 0, 2), [1, 0x1D, 10, 0])
            compare(findChild(scene, "keyText2").text, "Z")
        }

        function test_initAndSave() {
            const page = makePage()
            compare(code(page, 0, 9), [3, 0, 226, 0])
            compare(findChild(scene, "keyText9").text, "Mute")
            compare(findChild(scene, "keyText3").text, "Fire")
            // Missing entries fall back to the built-in matrix of their mode.
            compare(code(page, 0, 6), [5, 0, 2, 0])
            compare(code(page, 1, 6), [8, 0, 2, 0])
            compare(page.view.callsOf("mouseSetKeyMatrix").length, 0)

            page.view.application = { "mouse/selectGun": ["2", "0", "5"] }
            page.view.guns = [["M416", "L-Click", "9", "0", "5", "0"], [], ["M16A4", "L-Click", "30", "0", "8", "0"]]
            page.isSave = true
            page.init(true, false)
            verify(!page.isSave)
            const calls = page.view.callsOf("mouseSetKeyMatrix")
            compare(calls.length, 1)
            const [mode, office, game, isSendData, periods] = calls[0]
            compare(mode, 0)
            compare(office.length, 64)
            compare(game.length, 64)
            compare(office.slice(12, 16), [4, 0, 3, 0])
            compare(game.slice(20, 28), [8, 0, 1, 0, 8, 0, 2, 0])
            compare(isSendData, true)
            // Gun 5 is not in the table: the default period.
            compare(periods, [30, 9, 10])
        }

        function test_macroApply() {
            const page = makePage()
            openMenu(8)
            click("menu_MacroFunction")
            verify(page.isDialogOpen)
            // Folders are shown but cannot be picked.
            click("macroEntry0")
            verify(!findChild(scene, "macroOk").enabled)
            click("macroEntry1")
            compare(findChild(scene, "macroEntry1").Accessible.name, "Combo")
            click("runMode2")
            click("macroOk")
            compare(code(page, 0, 8), [4, 2, 8, 0])
            compare(findChild(scene, "keyText8").text, "Combo")
            compare(page.view.profile["mouseMacroKey/8"], "Combo")
            compare(page.view.lastArgs("loadMacroIni"), [1, "Combo"])
            compare(page.view.lastArgs("setMacroSelectName"), ["Tools", "", "", "", ""])
            compare(page.view.lastArgs("mouseSendMacroData"),
                    [[0, 3, 2, 0x1D, 0x81, 0x1D, 0, 0], 8])
            verify(page.isSave)

            // The macro a button already plays applies again, and is sent again.
            page.isSave = false
            page.view.clear()
            openMenu(3)
            click("menu_MacroFunction")
            verify(findChild(scene, "macroOk").enabled)
            click("macroOk")
            verify(page.isSave)
            compare(page.view.lastArgs("mouseSendMacroData"), [[0, 1, 2, 4, 0x81, 4, 0, 0], 3])

            // Not on the left button: nothing is sent, nothing stored.
            page.view.clear()
            openMenu(0)
            click("menu_MacroFunction")
            click("macroEntry2")
            click("macroOk")
            verify(findChild(scene, "warningAssigment").visible)
            compare(page.view.callsOf("mouseSendMacroData").length, 0)
            compare(page.view.callsOf("setData").length, 0)
            compare(code(page, 0, 0), [0, 0, 0xF0, 0])
        }

        function test_macroDeleted() {
            const page = makePage()
            page.macroDeleted("Other")
            compare(code(page, 0, 3), [4, 0, 3, 0])
            page.view.clear()
            page.macroDeleted("Fire")
            compare(code(page, 0, 3), [0, 0, 0xF4, 0])
            compare(code(page, 1, 3), [0, 0, 0xF4, 0])
            compare(findChild(scene, "keyText3").text, "Forward Key")
            const names = page.view.calls.map(c => c.name)
            const sent = names.indexOf("mouseSetKeyMatrix")
            verify(sent >= 0)
            verify(names.indexOf("deleteMacroUpdateProfile") > sent)
            compare(page.view.lastArgs("mouseSetKeyMatrix")[1].slice(12, 16), [0, 0, 0xF4, 0])
            compare(page.view.lastArgs("deleteMacroUpdateProfile"), ["Fire"])
        }

        function test_macroRenamedAndChanged() {
            const page = makePage()
            page.macroRenamed(0, 0, "Fire", "Blast")
            compare(page.view.profile["mouseMacroKey/3"], "Blast")
            compare(page.view.profile["mouseMacroKey2/3"], "Blast")
            compare(findChild(scene, "keyText3").text, "Blast")
            const names = page.view.calls.map(c => c.name)
            verify(names.lastIndexOf("setData") < names.indexOf("modifyMacroNameUpdateProfile"))
            compare(page.view.lastArgs("modifyMacroNameUpdateProfile"), [0, 0, "Fire", "Blast"])

            // A folder rename only moves the folder.
            page.view.clear()
            page.macroRenamed(1, 1, "Tools", "Kit")
            compare(page.view.callsOf("setData").length, 0)
            compare(page.view.lastArgs("modifyMacroNameUpdateProfile"), [1, 1, "Tools", "Kit"])

            // Editing the macro re-sends its block to the slot, once.
            page.view.clear()
            page.macroDataChanged("Blast", ["1,B", "0,20", "2,B"], 2)
            compare(page.view.callsOf("mouseSendMacroData"), [[[0, 2, 2, 5, 0x81, 5, 0, 0], 3]])
            page.macroDataChanged("Fire", ["1,B"], 1)
            compare(page.view.callsOf("mouseSendMacroData").length, 1)
        }

        // A macro too long for the block is refused before anything is stored
        // or sent; a block the mouse did not take waits for the next Save.
        function test_macroTransferRefusedOrNotTaken() {
            const page = makePage()
            const refused = []
            const outcomes = []
            page.macroTransfer.tooLong.connect(() => refused.push(true))
            page.macroTransfer.finished.connect(o => outcomes.push(o))
            page.view.macroFitsAnswer = false
            const before = code(page, 0, 8)
            openMenu(8)
            click("menu_MacroFunction")
            click("macroEntry1")
            click("macroOk")
            compare(refused.length, 1)
            compare(page.view.callsOf("mouseSendMacroData").length, 0)
            compare(page.view.callsOf("setData").length, 0)
            compare(code(page, 0, 8), before)
            verify(!page.isSave)
            page.macroDataChanged("Fire", ["1,B"], 1)
            compare(refused.length, 2)
            compare(page.view.callsOf("mouseSendMacroData").length, 0)

            page.view.macroFitsAnswer = true
            page.view.mouseTakes = false
            page.view.actionOutcome = "notTaken"
            page.macroDataChanged("Fire", ["1,B", "2,B"], 1)
            compare(outcomes, ["notTaken"])
            compare(page.view.callsOf("beginMouseAction").length, 1)
            compare(Object.keys(page.macroTransfer.unsent), ["3"])
            page.view.clear()
            page.view.mouseTakes = true
            page.macroTransfer.resend()
            compare(page.view.callsOf("mouseSendMacroData"), [[[0, 1, 1, 5, 0x81, 5, 0, 0], 3]])
            compare(Object.keys(page.macroTransfer.unsent), [])
        }

        // A button's own reset lands where the bottom bar's Reset lands: on
        // the factory profile's record; the mouse's fixed buttons offer nothing.
        function test_resetKeyAndFixedButtons() {
            const page = makePage()
            page.view.factory = {
                "mouseKeyMatrix/3": ["0", "0", "244", "0"],
                "mouseKeyMatrix/9": ["0", "0", "0", "0"],
                "mouseKeyMatrix/11": ["3", "0", "226", "0"]
            }
            for (const button of [3, 9, 11, 13]) {
                openMenu(button)
                click("menu_Resetkey")
            }
            const perButton = [3, 9, 11, 13].map(b => code(page, 0, b))
            const perButtonTexts = [3, 9, 11, 13].map(b => findChild(scene, "keyText" + b).text)
            page.init(false, true)
            compare(perButton, [3, 9, 11, 13].map(b => code(page, 0, b)))
            compare(perButtonTexts, ["Forward Key", "Disabled", "Mute", "Disabled"])

            for (const button of [6, 7]) {
                compare(findChild(scene, "keyText" + button).text, "Fixed by the mouse")
                mouseClick(findChild(scene, "keyRow" + button))
                verify(!findChild(scene, "keyAssigment").visible)
                page.selectButton(button)
                compare(page.selectedButton, -1)
            }
            compare(page.shownTexts.slice(5, 9), ["DPI+", "Fixed by the mouse", "Fixed by the mouse", "Disabled"])
        }

        function test_mousePicture() {
            const mouse = createTemporaryObject(mouseComponent, scene, { keyCount: 8, selectedButton: 2 })
            const clicked = []
            mouse.buttonClicked.connect(i => clicked.push(i))
            verify(findChild(mouse, "mouseButton7").visible)
            verify(!findChild(mouse, "mouseButton8").visible)
            compare(findChild(mouse, "mouseButton2").color, Theme.colorPrimary)
            mouseClick(findChild(mouse, "mouseButton5"))
            compare(clicked, [5])
            const tip = findChild(mouse, "mouseTip")
            verify(!tip.visible)
            mouse.buttonTexts = ["Left Key", "Right Key", "Middle Key", "Forward Key", "Back Key",
                                 "DPI+", "Fixed by the mouse", "Fixed by the mouse", "Disabled"]
            mouseMove(findChild(mouse, "mouseButton7"))
            tryVerify(() => tip.visible)
            compare(findChild(mouse, "mouseTipText").text, "8: Fixed by the mouse")
        }
        Component {
            id: mouseComponent
            Mouse {}
        }
    }
}
