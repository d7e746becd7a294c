import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The order-type choice: two large tappable areas, normal order and contract order.
Item {
    id: view
    required property ChooseOrderTypeViewController controller

    // One tappable area: a title in brand red over a grey explanation.
    component OrderKindArea: ItemDelegate {
        id: area
        property string title
        property string detail
        Accessible.name: title
        Layout.fillWidth: true
        Layout.preferredHeight: 140
        background: Rectangle { color: "white"; radius: 6; border.color: Brand.separator }
        contentItem: ColumnLayout {
            PlainLabel {
                Layout.alignment: Qt.AlignHCenter
                text: area.title
                font.pixelSize: 22
                font.bold: true
                color: Brand.red
            }
            PlainLabel {
                Layout.alignment: Qt.AlignHCenter
                text: area.detail
                color: Brand.secondaryText
            }
        }
    }

    ColumnLayout {
        anchors { fill: parent; margins: 20 }
        spacing: 20
        OrderKindArea {
            objectName: "normalView"
            title: Localized.text(QT_TRANSLATE_NOOP("Zelk", "一般訂單"))
            detail: Localized.text(QT_TRANSLATE_NOOP("Zelk", "依客戶價目表下單"))
            onClicked: view.controller.normalOrderAction()
        }
        OrderKindArea {
            objectName: "contractView"
            title: Localized.text(QT_TRANSLATE_NOOP("Zelk", "合約訂單"))
            detail: Localized.text(QT_TRANSLATE_NOOP("Zelk", "依客戶合約下單"))
            onClicked: view.controller.contractOrderAction()
        }
        Item { Layout.fillHeight: true }
    }
}
