pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The materials of a contract: name and number, delivery method, unit price and the maximum quantity.
Item {
    id: view
    required property ItemsViewController controller

    ListView {
        objectName: "itemsTable"
        anchors.fill: parent
        clip: true
        model: view.controller.items
        delegate: ItemDelegate {
            id: cell
            required property int index
            required property string itemNameText
            required property string inco1Text
            required property string priceText
            required property string amountText
            objectName: "itemCell_" + index
            Accessible.name: itemNameText
            width: ListView.view.width
            leftPadding: 15
            rightPadding: 15
            background: Rectangle {
                color: cell.down ? "#eeeeee" : "white"
                Rectangle { anchors.bottom: parent.bottom; x: 15; width: parent.width - 15; height: 1; color: Brand.separator }
            }
            contentItem: ColumnLayout {
                spacing: 2
                PlainLabel {
                    objectName: "itemNameLabel"
                    Layout.fillWidth: true
                    text: cell.itemNameText
                    color: Brand.titleText
                    font.bold: true
                    wrapMode: Text.Wrap
                }
                RowLayout {
                    Layout.fillWidth: true
                    PlainLabel { objectName: "inco1Label"; text: cell.inco1Text; color: Brand.secondaryText }
                    Item { Layout.fillWidth: true }
                    PlainLabel { objectName: "priceLabel"; text: cell.priceText; color: Brand.red }
                }
                PlainLabel {
                    objectName: "amountLabel"
                    text: "Max: " + cell.amountText
                    color: Brand.secondaryText
                }
            }
            onClicked: view.controller.selectRow(cell.index)
        }
    }
}
