import QtQuick
import QtTest
import modules.qml

// TestCase itself is never visible, so the panel and its overlay live beside it.
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
        name: "Profile"
        when: windowShown

        Component {
            id: fakeComponent
            ProfileView {}
        }
        Component {
            id: panelComponent
            Profile {}
        }
        Component {
            id: spyComponent
            SignalSpy {}
        }

        // Opens the panel on a stored profile name list with profile `inUse` in use.
        function makePanel(stored, inUse, lang) {
            const view = createTemporaryObject(fakeComponent, testCase, { nameLists: { 2: stored } })
            const panel = createTemporaryObject(panelComponent, scene, {
                view: view, profileNo: inUse, overlayParent: overlay,
                profileLang: lang || [] })
            verify(panel)
            panel.init()
            panel.open()
            view.clear()
            return panel
        }

        function shown(panel) {
            const out = []
            for (let i = 0; i < panel.profileModel.count; ++i)
                out.push(panel.profileModel.get(i).textValue + ":" + panel.numberAt(i))
            return out
        }

        function button(name) {
            const item = findChild(overlay, name)
            verify(item, name)
            return item
        }

        function test_readStored_data() {
            return [
                { tag: "one name and the placeholder", stored: ["Mine0", "loaderzumbek"], inUse: 0,
                  lang: ["config", "Nieuw", "Importeren", "Verwijderen", "Exporteren", "Standaard"],
                  shown: ["Standaard:0"], selected: 0, written: ["Standaard0"] },
                { tag: "gaps in the numbers", stored: ["Standard0", "A2", "B5"], inUse: 5,
                  shown: ["Standard:0", "A:2", "B:5"], selected: 2,
                  written: ["Standard0", "A2", "B5"] },
                { tag: "nothing stored", stored: [], inUse: 0,
                  shown: ["Standard:0"], selected: 0, written: ["Standard0"] },
                { tag: "damaged entries dropped", stored: ["Standard0", "x", "C7", "D0", "E3"], inUse: 3,
                  shown: ["Standard:0", "E:3"], selected: 1, written: ["Standard0", "E3"] }
            ]
        }
        function test_readStored(data) {
            const panel = makePanel(data.stored, data.inUse, data.lang)
            compare(shown(panel), data.shown)
            compare(panel.selectedIndex, data.selected)
            compare(panel.currentIndex, data.selected)
            compare(panel.view.nameLists[2], data.written)
        }

        // New takes the first free name and number, then stops at six; Import too.
        function test_newUntilFull() {
            const panel = makePanel(["Standard0", "profile_03", "profile_15"], 0)
            mouseClick(button("profileNew"))
            compare(panel.view.callsOf("resetProfile"), [[1]])
            compare(panel.view.nameLists[2], ["Standard0", "profile_03", "profile_15", "profile_21"])
            compare(panel.selectedIndex, 3)

            mouseClick(button("profileNew"))
            mouseClick(button("profileNew"))
            compare(panel.view.callsOf("resetProfile"), [[1], [2], [4]])
            compare(shown(panel).slice(4), ["profile_3:2", "profile_4:4"])
            verify(!button("profileNew").enabled)
            verify(!button("profileImport").enabled)

            panel.view.clear()
            panel.newProfile()
            panel.importProfile()
            compare(panel.view.calls.map(c => c.name).filter(n => n !== "getNameList"), [])
            compare(panel.profileModel.count, 6)
        }

        function test_import_data() {
            return [
                { tag: "file chosen", chosen: true,
                  shown: ["Standard:0", "A:1", "profile_0:2"], selected: 2,
                  written: ["Standard0", "A1", "profile_02"] },
                { tag: "dialog cancelled", chosen: false,
                  shown: ["Standard:0", "A:1"], selected: 1, written: ["Standard0", "A1"] }
            ]
        }
        function test_import(data) {
            const panel = makePanel(["Standard0", "A1"], 1)
            panel.view.importChosen = data.chosen
            mouseClick(button("profileImport"))
            compare(panel.view.callsOf("loadProfile"), [[2]])
            compare(panel.view.callsOf("resetProfile"), [])
            compare(shown(panel), data.shown)
            compare(panel.selectedIndex, data.selected)
            compare(panel.view.nameLists[2], data.written)
            mouseClick(button("profileExport"))
            compare(panel.view.callsOf("saveProfile"), [[data.shown.length === 3 ? 2 : 1]])
        }

        // Entry 0 and the profile in use stay; a middle entry goes, and the
        // stored numbers (not the positions) are what a switch uses afterwards.
        function test_delete() {
            const panel = makePanel(["Standard0", "A3", "B1", "C4"], 1)
            const spy = createTemporaryObject(spyComponent, testCase,
                                              { target: panel, signalName: "changeProfile" })
            const confirm = button("profileDeleteConfirm")
            for (const row of [0, 2]) {
                mouseClick(button("profileRow" + row))
                compare(panel.selectedIndex, row)
                verify(!button("profileDelete").enabled)
                panel.askDelete()
                verify(!confirm.visible)
                panel.deleteSelected()
            }
            compare(shown(panel), ["Standard:0", "A:3", "B:1", "C:4"])
            compare(panel.view.callsOf("updataNameList"), [])

            mouseClick(button("profileRow1"))
            mouseClick(button("profileDelete"))
            verify(confirm.visible)
            compare(findChild(confirm, "tooltipMessage").text, "Confirm delete ?")
            mouseClick(findChild(confirm, "tooltipOk"))
            verify(!confirm.visible)
            compare(shown(panel), ["Standard:0", "B:1", "C:4"])
            compare(panel.view.nameLists[2], ["Standard0", "B1", "C4"])
            compare(panel.numberAt(2), 4)
            compare(panel.currentIndex, 1)

            panel.chooseAt(2)
            compare(spy.count, 1)
            compare(spy.signalArguments[0][0], 4)

            panel.profileNo = 4
            compare(panel.currentIndex, 2)
        }

        function test_rename() {
            const panel = makePanel(["Standard0", "A1", "B2"], 0)
            const field = button("profileNameField")
            mouseDoubleClickSequence(button("profileRow0"))
            verify(!field.visible)
            verify(!panel.renameAt(0, "Mine"))

            mouseDoubleClickSequence(button("profileRow2"))
            verify(field.visible)
            verify(field.activeFocus)
            compare(field.text, "B")
            field.selectAll()
            keyClick("A")
            keyClick(Qt.Key_Return)
            verify(field.visible)
            verify(!panel.renameAt(2, "Standard"))
            compare(shown(panel), ["Standard:0", "A:1", "B:2"])
            compare(panel.view.callsOf("updataNameList"), [])

            keyClick(Qt.Key_Backspace)
            keyClick("C")
            keyClick(Qt.Key_Return)
            verify(!field.visible)
            compare(shown(panel), ["Standard:0", "A:1", "C:2"])
            compare(panel.view.nameLists[2], ["Standard0", "A1", "C2"])
        }
    }
}
