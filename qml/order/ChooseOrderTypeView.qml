import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The order-type choice: two large tappable areas, normal order and contract order.
Item {
    id: view
    required property var controller


    ColumnLayout {
        anchors { fill: parent; margins: 20 }
        spacing: 20
        Repeater {
            model: [
                { name: "normalView", title: Localized.text("一般訂單"), detail: Localized.text("依客戶價目表下單") },
                { name: "contractView", title: Localized.text("合約訂單"), detail: Localized.text("依客戶合約下單") }
            ]
            delegate: ItemDelegate {
                required property var modelData
                objectName: modelData.name
                Accessible.name: modelData.title
                Layout.fillWidth: true
                Layout.preferredHeight: 140
                background: Rectangle { color: "white"; radius: 6; border.color: Brand.separator }
                contentItem: ColumnLayout {
                    Label {
                        Layout.alignment: Qt.AlignHCenter
                        text: modelData.title
                        font.pixelSize: 22
                        font.bold: true
                        color: Brand.red
                    }
                    Label {
                        Layout.alignment: Qt.AlignHCenter
                        text: modelData.detail
                        color: "gray"
                    }
                }
                onClicked: modelData.name === "normalView" ? view.controller.normalOrderAction()
                                                           : view.controller.contractOrderAction()
            }
        }
        Item { Layout.fillHeight: true }
    }
}
