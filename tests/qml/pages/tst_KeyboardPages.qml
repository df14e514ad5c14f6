import QtQuick
import QtTest
import modules.qml

// The button page with the keyboard alone: a row opens its menu, the arrows
// walk it, Return chooses, Escape closes, and the keyboard comes back to the
// row. The scene item stands in for the frame's overlay.
Item {
    id: scene

    width: 1280
    height: 720

    TestCase {
        id: testCase
        name: "KeyboardPages"
        when: windowShown

        Component {
            id: fakeComponent
            FakeView {}
        }
        Component {
            id: pageComponent
            KeyMatrix {}
        }

        function makePage() {
            wait(0)
            const view = createTemporaryObject(fakeComponent, testCase, {
                profile: {}, factory: {}, macroFolders: { "": [] }, macroFiles: {} })
            const page = createTemporaryObject(pageComponent, scene, { view: view, overlayParent: scene })
            page.init(false, false)
            return page
        }

        function focused() {
            return scene.Window.activeFocusItem
        }

        function keys(list) {
            for (const key of list)
                keyClick(key)
        }

        function test_menuByKeyboard_data() {
            return [
                { tag: "a sub-menu entry", keys: [Qt.Key_Down, Qt.Key_Down, Qt.Key_Down, Qt.Key_Down,
                                                  Qt.Key_Down, Qt.Key_Down, Qt.Key_Right],
                  then: [Qt.Key_Return], code: [5, 0, 1, 0], isSave: true },
                { tag: "a category by Return, then back out with Left", keys: [Qt.Key_Down, Qt.Key_Down,
                  Qt.Key_Down, Qt.Key_Down, Qt.Key_Down, Qt.Key_Down, Qt.Key_Return],
                  then: [Qt.Key_Left, Qt.Key_Up, Qt.Key_Space], code: [0, 0, 0xF3, 0], isSave: true },
                { tag: "escape closes and changes nothing", keys: [Qt.Key_Down, Qt.Key_Down],
                  then: [Qt.Key_Escape], code: null, isSave: false }
            ]
        }

        function test_menuByKeyboard(data) {
            const page = makePage()
            const row = findChild(page, "keyRow3")
            const before = page.codes[0][3].slice()
            row.forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Return)
            const menu = findChild(scene, "keyAssigment")
            verify(menu.visible)
            compare(page.selectedButton, 3)
            keys(data.keys)
            // The sub-menu takes the keyboard once it has laid out.
            if (data.keys[data.keys.length - 1] !== Qt.Key_Down)
                tryVerify(() => focused() && focused().objectName === "menu_DPI+")
            keys(data.then)
            verify(!menu.visible)
            compare(page.selectedButton, -1)
            compare(page.codes[0][3], data.code || before)
            compare(page.isSave, data.isSave)
            compare(focused(), row, "the keyboard is back on the row")
        }

        // The menu keeps Tab to itself; the fire dialog, waiting for its key,
        // lets no key go anywhere else, and its Cancel still takes the mouse.
        function test_fenceAndCapture() {
            const page = makePage()
            const row = findChild(page, "keyRow2")
            row.forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Return)
            const menu = findChild(scene, "keyAssigment")
            for (let i = 0; i < 30; ++i) {
                keyClick(Qt.Key_Tab)
                verify(KeyFocus.contains(menu, focused()), "Tab left the menu at step " + i)
            }
            // Fire Function, then its "Fire Key" entry.
            mouseClick(findChild(scene, "menu_FireFunction"))
            waitForItemPolished(findChild(scene, "keySubMenu"))
            mouseClick(findChild(scene, "menu_FireKey"))
            const fire = findChild(scene, "fireKeyAssigment")
            verify(fire.visible)
            verify(page.isFireInput)
            for (const key of [Qt.Key_Tab, Qt.Key_Escape, Qt.Key_Return, Qt.Key_Space])
                keyClick(key)
            verify(fire.visible, "keys go to the capture")
            verify(fire.activeFocus)
            mouseClick(findChild(fire, "fireCancel"))
            verify(!fire.visible)
            compare(focused(), row)
        }
    }
}
