pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The notice mail: one row per ordered line with its tick box, order number, material, recipients and
// a details button; the send button below.
Item {
    id: view
    required property SendMailViewController controller

    ListView {
        id: table
        objectName: "sendMailTable"
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: sendButton.top; bottomMargin: 8 }
        clip: true
        model: view.controller.rows
        delegate: ItemDelegate {
            id: cell
            required property int index
            required property string orderNo
            required property bool ticked
            required property string lineText
            required property string recipientsText
            objectName: "sendMailCell_" + index
            Accessible.name: orderNo
            width: ListView.view.width
            leftPadding: 8
            rightPadding: 8
            background: Rectangle {
                color: cell.down ? "#eeeeee" : "white"
                Rectangle { anchors.bottom: parent.bottom; width: parent.width; height: 1; color: Brand.separator }
            }
            onClicked: view.controller.selectRow(cell.index)
            contentItem: RowLayout {
                spacing: 8
                ToolButton {
                    objectName: "checkButton_" + cell.index
                    Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "選擇"))
                    Accessible.checked: cell.ticked
                    icon.source: cell.ticked ? "qrc:/Zelk/resources/check.png" : "qrc:/Zelk/resources/uncheck.png"
                    icon.color: "transparent"
                    onClicked: view.controller.checkAction(cell.index)
                }
                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 2
                    PlainLabel {
                        objectName: "orderNoLabel"
                        text: cell.orderNo
                        font.bold: true
                        color: Brand.titleText
                    }
                    PlainLabel {
                        text: cell.lineText
                        color: Brand.secondaryText
                        elide: Text.ElideRight
                        Layout.fillWidth: true
                    }
                    PlainLabel {
                        objectName: "recipientsLabel"
                        text: cell.recipientsText
                        color: Brand.secondaryText
                        wrapMode: Text.Wrap
                        Layout.fillWidth: true
                    }
                }
                Button {
                    objectName: "editButton_" + cell.index
                    Accessible.name: text
                    text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "編輯"))
                    flat: true
                    Material.foreground: Brand.red
                    onClicked: view.controller.editAction(cell.index)
                }
            }
        }
    }

    FilledButton {
        id: sendButton
        objectName: "sendButton"
        Accessible.name: text
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 12 }
        text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "發送"))
        Material.accent: Brand.red
        onClicked: view.controller.sendMailAction()
    }
}
