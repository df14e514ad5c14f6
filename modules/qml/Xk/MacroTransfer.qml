import QtQml
import modules.qml

// Macro blocks on their way to the mouse: the one length rule before anything
// goes out, each transfer one action, and the blocks the mouse did not take
// kept for the next Save.
QtObject {
    id: transfer

    property var view: null
    // slot -> macro block the mouse did not take
    property var unsent: ({})

    // What became of a transfer (the view's endMouseAction answer).
    signal finished(string outcome)
    // A macro longer than the mouse's block, refused before anything went out.
    signal tooLong()

    function fits(bytes: var): bool {
        if (transfer.view.macroFits(bytes))
            return true
        transfer.tooLong()
        return false
    }

    // The block to every slot, as one action.
    function send(bytes: var, slots: var) {
        if (slots.length === 0 || !transfer.fits(bytes))
            return
        transfer.view.beginMouseAction()
        for (const slot of slots)
            transfer.sendOne(bytes, slot)
        transfer.finished(transfer.view.endMouseAction())
    }

    function sendOne(bytes: var, slot: int) {
        const pending = Object.assign({}, transfer.unsent)
        if (transfer.view.mouseSendMacroData(bytes, slot) === true)
            delete pending[slot]
        else
            pending[slot] = bytes
        transfer.unsent = pending
    }

    // Part of a Save after an action the mouse did not complete.
    function resend() {
        for (const slot of Object.keys(transfer.unsent))
            transfer.sendOne(transfer.unsent[slot], Number(slot))
    }
}
