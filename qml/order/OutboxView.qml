pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The orders waiting to be sent: per order its customer, kind and time, then each line with its state
// row, then 修改 (while nothing of it went out) and 刪除.
Item {
    id: view
    required property OutboxViewController controller

    PlainLabel {
        objectName: "outboxEmptyLabel"
        visible: view.controller.empty
        anchors.centerIn: parent
        text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "沒有待送出的訂單"))
        color: Brand.secondaryText
    }

    ListView {
        id: table
        objectName: "outboxTable"
        anchors.fill: parent
        clip: true
        model: view.controller.rows
        delegate: Column {
            id: row
            required property int index
            required property int orderIndex
            required property bool first
            required property bool last
            required property string customerText
            required property string kindText
            required property string timeText
            required property bool canChange
            required property bool canRemove
            required property string name
            required property string priceText
            required property string orderNumberText
            required property string allPriceText
            required property string stateText
            required property string messageText
            required property color stateColor
            width: ListView.view.width

            Rectangle {
                objectName: "outboxOrderHeader_" + row.orderIndex
                visible: row.first
                width: parent.width
                height: visible ? headerColumn.implicitHeight + 16 : 0
                color: "#f2f2f2"
                ColumnLayout {
                    id: headerColumn
                    anchors { left: parent.left; right: parent.right; top: parent.top; margins: 8; leftMargin: 15; rightMargin: 15; topMargin: 12 }
                    spacing: 2
                    PlainLabel { objectName: "customerLabel"; text: row.customerText; font.bold: true; color: Brand.titleText; Layout.fillWidth: true; wrapMode: Text.Wrap }
                    PlainLabel { objectName: "kindLabel"; text: row.kindText + "  " + row.timeText; color: "#555555"; Layout.fillWidth: true }
                }
            }
            Rectangle {
                objectName: "outboxLineCell_" + row.index
                width: parent.width
                height: lineColumn.implicitHeight + 16
                color: "white"
                ColumnLayout {
                    id: lineColumn
                    anchors { left: parent.left; right: parent.right; top: parent.top; margins: 8; leftMargin: 15; rightMargin: 15 }
                    spacing: 2
                    PlainLabel { text: row.name; font.bold: true; color: Brand.titleText; Layout.fillWidth: true; wrapMode: Text.Wrap }
                    RowLayout {
                        Layout.fillWidth: true
                        PlainLabel { text: row.priceText; color: "#555555" }
                        PlainLabel { text: row.orderNumberText; color: "#555555" }
                        Item { Layout.fillWidth: true }
                        PlainLabel { text: row.allPriceText; color: Brand.red; font.bold: true }
                    }
                }
            }
            Rectangle {
                objectName: "outboxStateCell_" + row.index
                width: parent.width
                height: stateColumn.implicitHeight + 12
                color: row.stateColor
                ColumnLayout {
                    id: stateColumn
                    anchors { left: parent.left; right: parent.right; top: parent.top; margins: 6; leftMargin: 15; rightMargin: 15 }
                    PlainLabel { objectName: "statusLabel"; text: row.stateText; color: "white"; font.bold: true }
                    PlainLabel { objectName: "messageLabel"; visible: text !== ""; text: row.messageText; color: "white"; wrapMode: Text.Wrap; Layout.fillWidth: true }
                }
            }
            RowLayout {
                visible: row.last
                width: parent.width - 24
                x: 12
                height: visible ? 60 : 0
                spacing: 12
                PlainButton {
                    objectName: "outboxChangeButton_" + row.orderIndex
                    Accessible.name: text
                    visible: row.canChange
                    Layout.fillWidth: true
                    text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "修改"))
                    onClicked: view.controller.change(row.orderIndex)
                }
                FilledButton {
                    objectName: "outboxRemoveButton_" + row.orderIndex
                    Accessible.name: text
                    enabled: row.canRemove
                    Layout.fillWidth: true
                    Material.accent: Brand.red
                    text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "刪除"))
                    onClicked: view.controller.remove(row.orderIndex)
                }
            }
        }
    }
}
