pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The cart panel: one row per line (swipe left to delete, tap to edit), the grand total and the
// order button.
Rectangle {
    id: view
    required property OrderCarViewController controller
    color: Brand.background

    Label {
        id: titleLabel
        anchors { left: parent.left; right: parent.right; top: parent.top; margins: 12 }
        text: view.controller.title
        color: Brand.titleText
        font.bold: true
        font.pixelSize: 18
    }

    ListView {
        id: table
        objectName: "cartTable"
        anchors { left: parent.left; right: parent.right; top: titleLabel.bottom; topMargin: 8; bottom: bottomArea.top }
        clip: true
        spacing: 6
        model: view.controller.lines
        delegate: SwipeDelegate {
            id: cell
            required property int index
            required property string orderSeq
            required property string name
            required property string priceText
            required property string orderNumberText
            required property string allPriceText
            required property string inco1Text
            required property string pageText
            objectName: "orderCartCell_" + index
            Accessible.name: name
            width: ListView.view.width
            padding: 0
            background: Rectangle { color: "white" }
            contentItem: ColumnLayout {
                spacing: 2
                ColumnLayout {
                    Layout.fillWidth: true
                    Layout.margins: 8
                    Layout.leftMargin: 12
                    spacing: 2
                    Label { objectName: "nameLabel"; text: cell.name; color: Brand.titleText; font.bold: true; Layout.fillWidth: true; elide: Text.ElideRight }
                    RowLayout {
                        Layout.fillWidth: true
                        Label { objectName: "priceLabel"; text: cell.priceText; color: "gray" }
                        Label { objectName: "orderNumberLabel"; text: cell.orderNumberText; color: "gray" }
                        Item { Layout.fillWidth: true }
                        Label { objectName: "allPriceLabel"; text: cell.allPriceText; color: Brand.red; font.bold: true }
                    }
                    Label { objectName: "inco1Label"; text: cell.inco1Text; color: "gray" }
                }
                // The footer of a line of 2 or more pages.
                Label {
                    objectName: "orderPageLabel"
                    visible: cell.pageText !== ""
                    Layout.fillWidth: true
                    Layout.preferredHeight: visible ? 30 : 0
                    Layout.leftMargin: 12
                    verticalAlignment: Text.AlignVCenter
                    text: cell.pageText
                    color: Brand.titleText
                }
            }
            swipe.right: Button {
                objectName: "deleteButton_" + cell.index
                Accessible.name: text
                height: cell.height
                x: cell.width - width
                text: Localized.text("刪除")
                Material.background: Brand.red
                Material.foreground: "white"
                onClicked: view.controller.deleteLine(cell.orderSeq)
            }
            // The panel's own gestures are off while a row is swiped, and on again once no row is: when
            // the swipe closes or its row has gone (a deleted row reports "opened" once more on release).
            swipe.onOpened: view.controller.beginSwipe()
            swipe.onClosed: view.controller.endSwipe()
            onPressed: if (swipe.position === 0) view.controller.beginSwipe()
            onCanceled: if (swipe.position === 0) view.controller.endSwipe()
            Component.onDestruction: if (view.controller) view.controller.endSwipe()
            onClicked: {
                if (swipe.position !== 0) {
                    swipe.close()
                    return
                }
                view.controller.endSwipe()
                view.controller.selectLine(cell.orderSeq)
            }
        }
    }

    ColumnLayout {
        id: bottomArea
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 12 }
        spacing: 8
        RowLayout {
            Layout.fillWidth: true
            Label { text: Localized.text("合計"); color: Brand.titleText }
            Item { Layout.fillWidth: true }
            Label {
                objectName: "allAmountLabel"
                text: view.controller.allAmountText
                color: Brand.red
                font.bold: true
                font.pixelSize: 18
            }
        }
        Button {
            objectName: "cartOrderButton"
            Accessible.name: text
            Layout.fillWidth: true
            text: Localized.text("下單")
            highlighted: true
            Material.accent: Brand.red
            onClicked: view.controller.orderDone()
        }
    }
}
