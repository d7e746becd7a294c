import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// Price entry: the lowest allowed price, the new price field (numeric rule), confirm and close.
Item {
    id: view
    required property EnterNewAmountViewController controller

    Rectangle {
        objectName: "bgView"
        anchors { left: parent.left; right: parent.right; top: parent.top; margins: 20; topMargin: 60 }
        height: column.implicitHeight + 32
        radius: 3
        border.width: 1
        border.color: view.controller.color
        ColumnLayout {
            id: column
            anchors { fill: parent; margins: 16 }
            spacing: 12
            PlainLabel {
                text: view.controller.title
                font.bold: true
                font.pixelSize: 18
                color: Brand.titleText
            }
            PlainLabel {
                objectName: "messageLabel"
                text: view.controller.messageText
                color: Brand.secondaryText
            }
            TextField {
                id: field
                placeholderTextColor: Brand.secondaryText
                objectName: "newAmountTextField"
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "單位價錢(含稅)"))
                Layout.fillWidth: true
                text: view.controller.newAmountText
                inputMethodHints: Qt.ImhFormattedNumbersOnly
                focus: view.controller.priceFieldFocused
                property string accepted: text
                onTextEdited: {
                    if (view.controller.acceptsNumericEdit(accepted, text)) {
                        accepted = text
                        view.controller.newAmountText = text
                    } else {
                        text = accepted
                    }
                }
            }
            RowLayout {
                Button {
                    objectName: "closeButton"
                    Accessible.name: text
                    Layout.fillWidth: true
                    text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "取消"))
                    flat: true
                    onClicked: view.controller.dismissAnimated()
                }
                FilledButton {
                    objectName: "enterNewAmountButton"
                    Accessible.name: text
                    Layout.fillWidth: true
                    text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "確定"))
                    Material.accent: Brand.red
                    onClicked: view.controller.enterNewAmountAction()
                }
            }
        }
    }
}
