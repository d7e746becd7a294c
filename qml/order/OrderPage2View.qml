import QtQuick
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The item page of a normal order: material, unit price, quantity, total, the copy row and the
// order button.
Item {
    id: view
    required property OrderPage2ViewController controller

    Flickable {
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: orderButton.top; bottomMargin: 8 }
        contentHeight: content.implicitHeight
        clip: true
        ColumnLayout {
            id: content
            width: parent.width
            spacing: 0
            Rectangle {
                Layout.fillWidth: true
                Layout.preferredHeight: 52
                color: "transparent"
                ColumnLayout {
                    anchors { left: parent.left; right: parent.right; leftMargin: 15; rightMargin: 15; verticalCenter: parent.verticalCenter }
                    spacing: 2
                    PlainLabel {
                        objectName: "customNameLabel"
                        text: view.controller.customNameText
                        font.bold: true
                        color: Brand.titleText
                        elide: Text.ElideRight
                        Layout.fillWidth: true
                    }
                    PlainLabel {
                        objectName: "creditsLabel"
                        text: view.controller.creditsText
                        color: Brand.red
                    }
                }
            }
            OrderRowList {
                Layout.fillWidth: true
                controller: view.controller
            }
            Item { Layout.preferredHeight: 20 }
            ListCell {
                objectName: "copyOrderButton"
                Layout.fillWidth: true
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "複製訂單"))
                detailText: Localized.text(QT_TRANSLATE_NOOP("Zelk", "選擇份數"))
                disclosure: true
                onClicked: view.controller.copyOrderAction()
            }
            ListCell {
                objectName: "copyCountRow"
                visible: view.controller.copyCountText !== ""
                Layout.fillWidth: true
                text: ""
                detailText: view.controller.copyCountText
            }
        }
    }
    FilledButton {
        id: orderButton
        objectName: "orderButton"
        Accessible.name: text
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 16 }
        text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "下單"))
        Material.accent: Brand.red
        onClicked: view.controller.orderAction()
    }
}
