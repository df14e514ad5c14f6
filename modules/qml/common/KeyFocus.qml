pragma Singleton
import QtQuick

// Keyboard use of the scene. Tab and Shift+Tab walk the controls but stay
// inside the overlay opened last; Space and Return work the control that has
// the keyboard; Escape and Return reach the overlay as its close and its OK.
// While a key is captured (a fire key, a key combination, a macro being
// recorded) every key belongs to the capture, so none of them navigates: the
// overlays keep a cancel button for the mouse.
QtObject {
    id: keys

    // Overlays open now, the one opened last at the end. Each is an item
    // with the properties okButton, cancelButton and capturing.
    property var fences: []
    // Set while the macro editor records.
    property bool capturing: false

    readonly property var topFence: {
        const live = fences.filter(f => f)
        return live.length > 0 ? live[live.length - 1] : null
    }
    readonly property bool keysCaptured: capturing || (topFence !== null && topFence.capturing === true)

    function open(scope: var): void {
        const list = keys.fences.filter(f => f && f !== scope)
        list.push(scope)
        keys.fences = list
    }

    function close(scope: var): void {
        keys.fences = keys.fences.filter(f => f && f !== scope)
    }

    function contains(scope: var, item: var): bool {
        for (let p = item; p; p = p.parent) {
            if (p === scope)
                return true
        }
        return false
    }

    // Moves the keyboard to the next control in Tab order, within the top overlay.
    function step(from: var, forward: bool): bool {
        const fence = keys.topFence
        let next = from.nextItemInFocusChain(forward)
        for (let guard = 0; fence && next && next !== from && !keys.contains(fence, next) && guard < 4000; ++guard)
            next = next.nextItemInFocusChain(forward)
        if (!next || (fence && !keys.contains(fence, next)))
            return false
        next.forceActiveFocus(forward ? Qt.TabFocusReason : Qt.BacktabFocusReason)
        return true
    }

    function isTab(event: var): bool {
        return (event.key === Qt.Key_Tab || event.key === Qt.Key_Backtab)
            && !(event.modifiers & (Qt.ControlModifier | Qt.AltModifier))
    }

    function isForward(event: var): bool {
        return event.key === Qt.Key_Tab && !(event.modifiers & Qt.ShiftModifier)
    }

    function isActivation(event: var): bool {
        return event.key === Qt.Key_Space || event.key === Qt.Key_Return || event.key === Qt.Key_Enter
    }

    // The key handling of a control; action runs on Space and Return. Keys
    // the control leaves go on to the overlay around it.
    function press(event: var, item: var, action: var): void {
        event.accepted = true
        if (keys.keysCaptured)
            return
        if (keys.isTab(event)) {
            keys.step(item, keys.isForward(event))
            return
        }
        if (action && keys.isActivation(event)) {
            if (!event.isAutoRepeat)
                action()
            return
        }
        event.accepted = false
    }

    // What a drop-down (list) leaves to the common rule: Escape closes it
    // while open; Space and Return choose the entry marked by the arrows, or
    // open and close it, marking its current entry. mark(index) sets the mark.
    function dropDownKey(event: var, list: var, marked: int, mark: var): void {
        if (event.key === Qt.Key_Escape && list.isDrop && !keys.keysCaptured) {
            event.accepted = true
            list.closeMenu()
            return
        }
        keys.press(event, list, () => {
            if (list.isDrop && marked >= 0) {
                list.choose(marked)
            } else if (!list.isAnimating) {
                list.toggle()
                mark(list.isDrop ? list.currentSelect : -1)
            }
        })
    }

    function trigger(button: var): bool {
        if (!button || !button.visible || !button.enabled)
            return false
        if (typeof button.clicked === "function")
            button.clicked()
        else if (typeof button.activate === "function")
            button.activate()
        else
            return false
        return true
    }

    // The key handling of an overlay (scope): Escape as its close, Return as its OK.
    function overlayKey(event: var, scope: var): void {
        event.accepted = true
        if (keys.keysCaptured)
            return
        if (keys.isTab(event) && keys.step(scope, keys.isForward(event)))
            return
        if (event.key === Qt.Key_Escape && keys.trigger(scope.cancelButton))
            return
        if ((event.key === Qt.Key_Return || event.key === Qt.Key_Enter) && keys.trigger(scope.okButton))
            return
        event.accepted = false
    }
}
