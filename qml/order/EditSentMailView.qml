pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The details of one notice mail: the line it is about, the vehicle number, the remark and the
// recipients, each removable, with the button that opens the choice of recipients.
Item {
    id: view
    required property EditSentMailViewController controller

    Flickable {
        anchors.fill: parent
        contentHeight: column.implicitHeight + 24
        clip: true
        ColumnLayout {
            id: column
            anchors { left: parent.left; right: parent.right; top: parent.top; margins: 12 }
            spacing: 10

            ItemDelegate {
                objectName: "showOrderInfoButton"
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "訂單資訊"))
                Layout.fillWidth: true
                background: Rectangle { color: "white"; radius: 4 }
                onClicked: view.controller.showOrderInfoAction()
                contentItem: ColumnLayout {
                    spacing: 2
                    PlainLabel {
                        objectName: "orderNoLabel"
                        text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "訂單編號：")) + view.controller.orderNo
                        font.bold: true
                        color: Brand.titleText
                    }
                    PlainLabel { text: view.controller.lineText; color: Brand.secondaryText; elide: Text.ElideRight; Layout.fillWidth: true }
                }
            }

            PlainLabel { text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "車號")); color: Brand.titleText }
            TextField {
                placeholderTextColor: Brand.secondaryText
                objectName: "carNoTextField"
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "車號"))
                Layout.fillWidth: true
                text: view.controller.carNo
                onTextEdited: view.controller.carNo = text
            }
            PlainLabel { text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "備註")); color: Brand.titleText }
            TextArea {
                placeholderTextColor: Brand.secondaryText
                objectName: "remarkTextView"
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "備註"))
                Layout.fillWidth: true
                Layout.preferredHeight: Math.max(80, implicitHeight)
                wrapMode: TextEdit.Wrap
                textFormat: TextEdit.PlainText
                text: view.controller.remark
                onTextChanged: if (text !== view.controller.remark) view.controller.remark = text
            }

            RowLayout {
                Layout.fillWidth: true
                PlainLabel { text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "收件人")); color: Brand.titleText; Layout.fillWidth: true }
                FilledButton {
                    objectName: "selectMailButton"
                    Accessible.name: text
                    text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "選擇人員"))
                    Material.accent: Brand.red
                    onClicked: view.controller.selectMailAction()
                }
            }
            Repeater {
                model: view.controller.recipients
                delegate: Rectangle {
                    id: recipient
                    required property int index
                    required property string name
                    required property string mail
                    required property bool required
                    objectName: "recipientCell_" + index
                    Layout.fillWidth: true
                    implicitHeight: recipientRow.implicitHeight + 12
                    color: "white"
                    RowLayout {
                        id: recipientRow
                        anchors { left: parent.left; right: parent.right; verticalCenter: parent.verticalCenter; leftMargin: 12; rightMargin: 4 }
                        ColumnLayout {
                            Layout.fillWidth: true
                            spacing: 0
                            PlainLabel {
                                objectName: "nameLabel"
                                text: recipient.required ? recipient.name + "  (" + Localized.text(QT_TRANSLATE_NOOP("Zelk", "必選人員")) + ")" : recipient.name
                                color: Brand.titleText
                            }
                            PlainLabel { objectName: "mailLabel"; text: recipient.mail; color: Brand.secondaryText; elide: Text.ElideRight; Layout.fillWidth: true }
                        }
                        Button {
                            objectName: "deleteButton_" + recipient.index
                            Accessible.name: text
                            text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "刪除"))
                            flat: true
                            Material.foreground: Brand.red
                            onClicked: view.controller.deleteAction(recipient.index)
                        }
                    }
                }
            }
        }
    }
}
