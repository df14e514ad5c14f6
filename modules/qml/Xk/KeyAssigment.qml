pragma ComponentBehavior: Bound

import QtQuick
import modules.qml

// The menu of one button: the mouse functions directly, the other categories
// in sub-menus beside it or as dialogs, and the per-button reset. It fills
// the overlay it is put in, so a press anywhere outside the menus dismisses it.
Item {
    id: menu

    property var labels: []
    property int mouseMode: 0
    // The button's current code, so its entry can be marked.
    property string currentHex
    property int subCategory: -1
    property real subAnchorY: 0
    readonly property int rowHeight: 26
    // Wide enough for the longest entry of any category, in the language shown,
    // so both menus keep their width while the pointer moves between them.
    readonly property int menuWidth: Math.max(196, Math.ceil(menu.widest(menu.allEntries)) + 54)
    readonly property var allEntries: {
        let all = menu.buildTop(1)
        for (const category of [1, 3, 5, 6, 7, 8])
            all = all.concat(menu.buildSub(category))
        return all
    }
    readonly property var fixed: MacroLogic.fixedFunctions()
    readonly property var topEntries: menu.buildTop(menu.mouseMode)
    readonly property var subEntries: menu.buildSub(menu.subCategory)

    signal codeChosen(var code)
    signal fireRequested()
    signal groupRequested()
    signal macroRequested()
    signal resetRequested()
    signal dismissed()

    function widest(entries: var): real {
        let most = 0
        for (const e of entries)
            most = Math.max(most, metrics.advanceWidth(Texts.label(menu.labels, e.textIndex, e.english)))
        return most
    }

    function entry(kind: string, english: string, textIndex: int, hex: string, category: int): var {
        return { kind: kind, key: english.replace(/ /g, ""), english: english,
                 textIndex: textIndex, hex: hex, category: category }
    }

    function buildTop(mode: int): var {
        const list = []
        for (const f of menu.fixed) {
            if (f.menu === 0)
                list.push(menu.entry("code", f.label, f.textIndex, f.hex, 0))
        }
        list.push(menu.entry("sub", "DPI Function", 5, "", 5))
        list.push(menu.entry("sub", "Fire Function", 1, "", 1))
        list.push(menu.entry("group", "Group Function", 2, "", 2))
        list.push(menu.entry("sub", "Media Function", 3, "", 3))
        list.push(menu.entry("macro", "Macro Function", 4, "", 4))
        list.push(menu.entry("sub", "Windows Function", 6, "", 6))
        list.push(menu.entry("sub", "Shortcut Function", 7, "", 7))
        if (mode !== 0)
            list.push(menu.entry("sub", "Gun Function", 8, "", 8))
        list.push(menu.entry("reset", "Reset key", 60, "", -1))
        return list
    }

    function buildSub(category: int): var {
        const list = []
        if (category < 0)
            return list
        for (const f of menu.fixed) {
            if (f.menu === category)
                list.push(menu.entry("code", f.label, f.textIndex, f.hex, category))
        }
        if (category === 1)
            list.push(menu.entry("fire", "Fire Key", 50, "", 1))
        return list
    }

    // (ax, ay): where the menu's top left corner should be, in this item's
    // coordinates; it is moved inside when it would stick out.
    function openAt(ax: real, ay: real) {
        menu.subCategory = -1
        topMenu.x = Math.max(0, Math.min(ax, menu.width - topMenu.width))
        topMenu.y = Math.max(0, Math.min(ay, menu.height - topMenu.height))
        menu.visible = true
    }

    function close() {
        menu.subCategory = -1
        menu.visible = false
    }

    // Up and Down walk the rows, Right or Return opens a category and goes
    // into it, Left goes back out, Escape closes the menu.
    function rowKey(event: var, row: var): void {
        event.accepted = true
        switch (event.key) {
        case Qt.Key_Down:
        case Qt.Key_Up:
            KeyFocus.step(row, event.key === Qt.Key_Down)
            return
        case Qt.Key_Right:
            if (row.modelData.kind === "sub")
                menu.enterSub(row)
            return
        case Qt.Key_Left:
            if (row.inSubMenu)
                menu.focusFirst(topColumn, r => r.isOpenCategory === true)
            return
        }
        KeyFocus.press(event, row, () => {
            if (row.modelData.kind === "sub")
                menu.enterSub(row)
            else
                menu.activate(row.modelData, row.y)
        })
    }

    function enterSub(row: var): void {
        menu.openSub(row.modelData.category, row.y)
        Qt.callLater(() => menu.focusFirst(subColumn, r => r.inSubMenu === true))
    }

    function focusFirst(column: Item, test: var): void {
        const rows = column.children
        for (let i = 0; i < rows.length; ++i) {
            if (test(rows[i])) {
                rows[i].forceActiveFocus(Qt.TabFocusReason)
                return
            }
        }
    }

    function openSub(category: int, rowY: real) {
        menu.subCategory = category
        const right = topMenu.x + topMenu.width + 2
        subMenu.x = right + subMenu.width <= menu.width ? right : topMenu.x - subMenu.width - 2
        menu.subAnchorY = rowY
    }

    function activate(item: var, rowY: real) {
        switch (item.kind) {
        case "code":
            menu.codeChosen(MacroLogic.hexToCode(item.hex))
            break
        case "sub":
            menu.openSub(item.category, rowY)
            break
        case "fire":
            menu.fireRequested()
            break
        case "group":
            menu.groupRequested()
            break
        case "macro":
            menu.macroRequested()
            break
        case "reset":
            menu.resetRequested()
            break
        }
    }

    component MenuPanel: Rectangle {
        width: menu.menuWidth
        radius: 3
        color: Theme.panelColor
        border.width: 1
        border.color: Theme.panelBorder
        Accessible.role: Accessible.PopupMenu
    }

    component MenuRow: Rectangle {
        id: row

        required property var modelData
        property bool inSubMenu: false
        readonly property bool isCurrent: modelData.hex !== ""
                                          && modelData.hex === menu.currentHex.toLowerCase()
        readonly property bool isOpenCategory: modelData.kind === "sub"
                                               && modelData.category === menu.subCategory

        objectName: "menu_" + modelData.key
        width: menu.menuWidth - 2
        height: menu.rowHeight
        x: 1
        color: area.containsMouse || isOpenCategory ? Theme.colorGray1 : Theme.colorTransparent
        Accessible.role: Accessible.MenuItem
        Accessible.name: rowText.text
        Accessible.focusable: true
        Accessible.onPressAction: menu.activate(row.modelData, row.y)
        activeFocusOnTab: true
        Keys.onPressed: event => menu.rowKey(event, row)

        FocusRing {
            gap: 0
        }

        Rectangle {
            x: 0
            width: 3
            height: parent.height
            visible: row.isCurrent
            color: Theme.colorPrimary
        }
        Text {
            id: rowText

            x: 14
            width: row.width - 40
            anchors.verticalCenter: parent.verticalCenter
            text: Texts.label(menu.labels, row.modelData.textIndex, row.modelData.english)
            color: area.containsMouse || row.isCurrent || row.isOpenCategory ? Theme.colorPrimary
                                                                             : Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        Image {
            anchors.right: parent.right
            anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            width: 10
            height: 6
            rotation: -90
            visible: row.modelData.kind === "sub"
            source: Images.arrowDown
            smooth: true
        }
        MouseArea {
            id: area

            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            // Pointing at a category shows its entries, pointing elsewhere in
            // the main menu hides them again.
            onContainsMouseChanged: {
                if (!containsMouse || row.inSubMenu)
                    return
                if (row.modelData.kind === "sub")
                    menu.openSub(row.modelData.category, row.y)
                else
                    menu.subCategory = -1
            }
            onClicked: menu.activate(row.modelData, row.y)
        }
    }

    objectName: "keyAssigment"
    visible: false
    Keys.onPressed: event => {
        event.accepted = true
        if (event.key === Qt.Key_Escape)
            menu.dismissed()
        else if ([Qt.Key_Down, Qt.Key_Up, Qt.Key_Tab, Qt.Key_Backtab].includes(event.key))
            KeyFocus.step(menu, event.key === Qt.Key_Down || event.key === Qt.Key_Tab)
        else
            event.accepted = false
    }
    // The keyboard comes in with the menu, and goes back to the button's row.
    onVisibleChanged: {
        if (visible) {
            d.returnFocus = Window.activeFocusItem
            KeyFocus.open(menu)
            menu.forceActiveFocus(Qt.PopupFocusReason)
            return
        }
        KeyFocus.close(menu)
        const back = d.returnFocus
        d.returnFocus = null
        if (back && back.visible && !KeyFocus.topFence)
            back.forceActiveFocus(Qt.PopupFocusReason)
    }

    QtObject {
        id: d

        property Item returnFocus: null
    }

    FontMetrics {
        id: metrics
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    MouseArea {
        objectName: "menuDismissArea"
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onPressed: menu.dismissed()
    }

    MenuPanel {
        id: topMenu

        objectName: "keyMenu"
        height: topColumn.height + 8
        Accessible.name: "Button functions"

        Column {
            id: topColumn

            y: 4
            Repeater {
                model: menu.topEntries
                delegate: MenuRow {}
            }
        }
    }

    MenuPanel {
        id: subMenu

        objectName: "keySubMenu"
        // A binding: the column's height is known only after it has laid out.
        y: Math.max(0, Math.min(topMenu.y + menu.subAnchorY, menu.height - subMenu.height))
        visible: menu.subCategory >= 0
        height: subColumn.height + 8
        Accessible.name: "Functions of the category"

        Column {
            id: subColumn

            y: 4
            Repeater {
                model: menu.subEntries
                delegate: MenuRow {
                    inSubMenu: true
                }
            }
        }
    }
}
