import QtQuick
import modules.qml

// The report-rate choice. The list position (0..3) is what the profile stores
// and what the mouse receives.
Row {
    id: reportRate

    property var view: null
    property string labelText: "Report Rate"
    property bool isSave: false
    readonly property alias currentSelect: list.currentSelect

    spacing: 16

    function init(isSendData, isRecovery) {
        const stored = parseInt(view.getData("mouse/reportRate", isRecovery))
        list.currentSelect = stored >= 0 && stored < rates.count ? stored : rates.count - 1
        list.textValue = rates.get(list.currentSelect).textValue
        if (isSendData)
            view.mouseSetReportRate(list.currentSelect)
    }

    function saveData(isSendData) {
        view.setData("mouse/reportRate", list.currentSelect)
        if (isSendData)
            view.mouseSetReportRate(list.currentSelect)
    }

    function closeMenu() {
        list.closeMenu()
    }

    Image {
        anchors.verticalCenter: parent.verticalCenter
        width: 24
        height: 24
        source: Images.reportRateIcon
        smooth: true
    }
    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: reportRate.labelText
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
    }
    DropDownList {
        id: list
        objectName: "reportRateList"
        width: 144
        height: 24
        count: rates.count
        mdItems: rates
        currentSelect: 3
        textValue: "1000 Hz"
        Accessible.name: reportRate.labelText
        onValueChange: function(index) {
            textValue = rates.get(index).textValue
            reportRate.isSave = true
        }
    }

    ListModel {
        id: rates
        ListElement { textValue: "125 Hz" }
        ListElement { textValue: "250 Hz" }
        ListElement { textValue: "500 Hz" }
        ListElement { textValue: "1000 Hz" }
    }
}
