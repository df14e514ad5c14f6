import QtQuick
import modules.qml

// What became of an action the mouse did not complete, above the bottom bar.
// While the mouse lacks part of what the window shows ("behind"), Save stays
// red and sends everything the window holds; a completed action ends that.
Rectangle {
    id: notice

    property var texts: []
    property real zoom: 1.0
    property bool behind: false
    // Position in the "mouse" language group of the text shown; -1 for none.
    property int shownText: -1
    readonly property var englishTexts: [
        "The mouse did not take all settings. Plug it in and press Save again.",
        "The mouse does not answer.",
        "The mouse's own settings could not be read, so none were sent. Plug it in again and press Save.",
        "This macro does not fit in the mouse's macro memory and was not sent."]

    function text(index: int): string {
        return texts && texts[index] ? String(texts[index]) : englishTexts[index]
    }

    // outcome: what the view's endMouseAction answered; true for "done".
    // Only an action that sent everything the window holds ends "behind".
    function report(outcome: string, sentEverything: bool): bool {
        if (outcome === "done") {
            if (sentEverything)
                behind = false
            if (!behind)
                shownText = -1
            return true
        }
        behind = true
        tell(outcome)
        return false
    }

    // Says what became of an action without holding the mouse behind.
    function tell(outcome: string) {
        if (outcome === "done")
            return
        shownText = outcome === "noAnswer" ? 1 : outcome === "notRead" ? 2 : 0
        console.info("mouse notice:", outcome)
    }

    function tellMacroTooLong() {
        shownText = 3
        console.info("mouse notice: macroTooLong")
    }

    objectName: "mouseNotice"
    visible: shownText >= 0
    width: 760 * zoom
    height: label.implicitHeight + 24 * zoom
    radius: 4 * zoom
    color: Theme.panelColor
    border.color: Theme.colorAccent
    border.width: Math.max(2, 3 * zoom)
    Accessible.role: Accessible.AlertMessage
    Accessible.name: label.text

    Text {
        id: label
        anchors.centerIn: parent
        width: parent.width - 32 * notice.zoom
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        text: notice.shownText >= 0 ? notice.text(notice.shownText) : ""
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize * notice.zoom
    }

    // A click puts the notice away; the unsaved state stays.
    MouseArea {
        objectName: "mouseNoticeClose"
        anchors.fill: parent
        Accessible.name: "Close the notice"
        onClicked: notice.shownText = -1
    }
}
