pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The alert on screen (QmlUi.alert of kind "alert"): title, message, text fields and buttons.
Dialog {
    id: dialog
    property QmlUi ui: null
    property var model: ({})
    // Centred in what the on-screen keyboard leaves of the window.
    property real keyboardHeight: 0
    readonly property bool wanted: model.id !== undefined && model.kind === "alert"

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
        dialog.ui.answerAlert(dialog.model.id, index, texts)
    }

    function pressDefault() {
        const buttons = dialog.model.buttons || []
        for (let i = 0; i < buttons.length; ++i) {
            if (buttons[i].style === "default") {
                press(i)
                return
            }
        }
    }

    // The sheet reaches the controls below by id, so its content is built with it, not deferred.
    // qmllint disable deferred-property-id
    contentItem: ColumnLayout {
        spacing: 12
        PlainLabel {
            objectName: "alertTitle"
            Layout.fillWidth: true
            visible: text !== ""
            text: dialog.model.title || ""
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
            text: dialog.model.message || ""
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignHCenter
            color: Brand.titleText
        }
        Repeater {
            id: fields
            model: dialog.model.fields || []
            delegate: TextField {
                placeholderTextColor: Brand.secondaryText
                required property var modelData
                required property int index
                property string accepted: modelData.text
                objectName: "alertField_" + index
                Accessible.name: modelData.placeholder
                Layout.fillWidth: true
                text: modelData.text
                placeholderText: modelData.placeholder
                echoMode: modelData.secure ? TextInput.Password : TextInput.Normal
                inputMethodHints: modelData.keyboard === "number" ? Qt.ImhDigitsOnly
                                : modelData.keyboard === "decimal" ? Qt.ImhFormattedNumbersOnly
                                : modelData.keyboard === "phone" ? Qt.ImhDialableCharactersOnly
                                : modelData.keyboard === "email" ? Qt.ImhEmailCharactersOnly : Qt.ImhNone
                // Return presses the alert's default button, as on a phone's keyboard.
                onAccepted: dialog.pressDefault()
                onTextEdited: {
                    if (dialog.ui.acceptsFieldEdit(dialog.model.id, index, accepted, text)) {
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
            columns: (dialog.model.buttons || []).length === 2 ? 2 : 1
            columnSpacing: 8
            rowSpacing: 4
            Repeater {
                model: dialog.model.buttons || []
                delegate: PlainButton {
                    required property var modelData
                    required property int index
                    objectName: "alertButton_" + modelData.title
                    Accessible.name: modelData.title
                    Layout.fillWidth: true
                    flat: true
                    text: modelData.title
                    font.weight: modelData.style === "cancel" ? Font.DemiBold : Font.Normal
                    Material.foreground: modelData.style === "destructive" ? "#d32f2f" : Brand.red
                    onClicked: dialog.press(index)
                }
            }
        }
    }
}
