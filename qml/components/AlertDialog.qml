pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The alert on screen (QmlUi's alert when it is not a sheet): title, message, text fields and buttons.
Dialog {
    id: dialog
    required property QmlUi ui
    // Centred in what the on-screen keyboard leaves of the window.
    property real keyboardHeight: 0
    readonly property bool wanted: ui.alertId !== 0 && !ui.alertIsSheet

    objectName: "alertDialog"
    modal: true
    closePolicy: Popup.NoAutoClose
    x: parent ? (parent.width - width) / 2 : 0
    y: parent ? Math.max(0, (parent.height - keyboardHeight - height) / 2) : 0
    width: Math.min(300, (parent ? parent.width : 300) - 40)
    padding: 20
    topPadding: 20
    visible: wanted


    background: Rectangle {
        color: "white"
        radius: 12
    }

    // Like a phone's alert with a text field, the first field takes the keyboard as the alert opens.
    onOpened: {
        if (fields.count > 0)
            fields.itemAt(0).forceActiveFocus()
    }

    function press(index) {
        const texts = []
        for (let i = 0; i < fields.count; ++i)
            texts.push(fields.itemAt(i).text)
        dialog.ui.answerAlert(dialog.ui.alertId, index, texts)
    }

    function pressDefault() {
        if (dialog.ui.alertDefaultButton >= 0)
            press(dialog.ui.alertDefaultButton)
    }

    // The sheet reaches the controls below by id, so its content is built with it, not deferred.
    // qmllint disable deferred-property-id
    contentItem: ColumnLayout {
        spacing: 12
        PlainLabel {
            objectName: "alertTitle"
            Layout.fillWidth: true
            visible: text !== ""
            text: dialog.ui.alertTitle
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignHCenter
            font.pixelSize: 17
            font.weight: Font.DemiBold
            color: Brand.titleText
        }
        PlainLabel {
            objectName: "alertMessage"
            Layout.fillWidth: true
            visible: text !== ""
            text: dialog.ui.alertMessage
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignHCenter
            color: Brand.titleText
        }
        Repeater {
            id: fields
            model: dialog.ui.alertFields
            delegate: TextField {
                placeholderTextColor: Brand.secondaryText
                required property int index
                required property string placeholder
                required property string initialText
                required property bool secure
                required property int inputHints
                property string accepted: initialText
                objectName: "alertField_" + index
                Accessible.name: placeholder
                Layout.fillWidth: true
                text: initialText
                placeholderText: placeholder
                echoMode: secure ? TextInput.Password : TextInput.Normal
                inputMethodHints: inputHints
                // Return presses the alert's default button, as on a phone's keyboard.
                onAccepted: dialog.pressDefault()
                onTextEdited: {
                    if (dialog.ui.acceptsFieldEdit(dialog.ui.alertId, index, accepted, text)) {
                        accepted = text
                    } else {
                        const position = cursorPosition - (text.length - accepted.length)
                        text = accepted
                        cursorPosition = Math.max(0, Math.min(position, text.length))
                    }
                }
            }
        }
        GridLayout {
            Layout.fillWidth: true
            // Two buttons side by side, more stacked.
            columns: dialog.ui.alertButtons.count === 2 ? 2 : 1
            columnSpacing: 8
            rowSpacing: 4
            Repeater {
                model: dialog.ui.alertButtons
                delegate: PlainButton {
                    required property int index
                    required property string title
                    required property string style
                    objectName: "alertButton_" + title
                    Accessible.name: title
                    Layout.fillWidth: true
                    flat: true
                    text: title
                    font.weight: style === "cancel" ? Font.DemiBold : Font.Normal
                    Material.foreground: style === "destructive" ? "#d32f2f" : Brand.red
                    onClicked: dialog.press(index)
                }
            }
        }
    }
}
