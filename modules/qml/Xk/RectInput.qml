import QtQuick
import modules.qml

// A small whole-number field. Whatever is left empty or below 1 reads "0"
// once editing ends.
Item {
    id: rectInput

    property int maxValue: 255
    property int minValue: 0
    property string textValue: "0"
    property alias txtInput: field

    signal inputSignal
    signal endInputSignal

    function closeFocus(): void {
        field.deselect();
        field.focus = false;
    }

    width: 48
    height: 20
    Accessible.role: Accessible.EditableText
    Accessible.name: objectName
    Accessible.description: field.text

    Rectangle {
        anchors.fill: parent
        radius: 2
        color: Theme.colorGray0
        border.width: 1
        border.color: field.activeFocus ? Theme.colorPrimary : Theme.colorGray1
    }

    FocusRing {
        visible: field.activeFocus
    }

    TextInput {
        id: field

        objectName: "rectInputField"
        anchors.fill: parent
        anchors.leftMargin: 2
        anchors.rightMargin: 2
        horizontalAlignment: TextInput.AlignHCenter
        verticalAlignment: TextInput.AlignVCenter
        text: rectInput.textValue
        maximumLength: 4
        selectByMouse: true
        clip: true
        color: Theme.fontColor
        selectionColor: Theme.colorPrimary
        selectedTextColor: Theme.colorGray0
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        validator: IntValidator {
            bottom: rectInput.minValue
            top: rectInput.maxValue
        }
        activeFocusOnTab: true
        Accessible.role: Accessible.EditableText
        Accessible.name: rectInput.Accessible.name

        // Return ends editing even while the text is not yet a valid number.
        Keys.onReturnPressed: rectInput.closeFocus()
        Keys.onEnterPressed: rectInput.closeFocus()
        Keys.onTabPressed: event => KeyFocus.press(event, field, null)
        Keys.onBacktabPressed: event => KeyFocus.press(event, field, null)
        onTextChanged: rectInput.textValue = text
        // The validator lets a number above the top through as unfinished input.
        onTextEdited: {
            if (parseInt(text) > rectInput.maxValue)
                remove(cursorPosition - 1, cursorPosition);
        }
        onActiveFocusChanged: {
            if (activeFocus) {
                rectInput.inputSignal();
                return;
            }
            rectInput.textValue = SceneLogic.rectInputText(text);
            rectInput.endInputSignal();
        }
    }
}
