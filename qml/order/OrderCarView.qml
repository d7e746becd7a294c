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

    PlainLabel {
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
        // A row slides left over its delete button. (Not a SwipeDelegate: the Qt Quick Controls of this Qt
        // leave the items it makes from swipe.left/right, and their contexts, unowned, so every swiped row
        // would leak them.)
        delegate: Item {
            id: cell
            required property int index
            required property string orderSeq
            required property string name
            required property string priceText
            required property string orderNumberText
            required property string allPriceText
            required property string inco1Text
            required property string pageText
            // How far the row is slid open: 0 closed, the delete button's width open.
            property real offset: 0
            objectName: "orderCartCell_" + index
            Accessible.name: name
            width: ListView.view.width
            height: content.height
            clip: true

            function settle(open) {
                offset = open ? deleteButton.width : 0
                // The panel's own gestures are off while a row is open, and on again once it closes.
                if (!open)
                    view.controller.endSwipe()
            }

            Button {
                id: deleteButton
                objectName: "deleteButton_" + cell.index
                Accessible.name: text
                anchors { right: parent.right; top: parent.top; bottom: parent.bottom }
                width: 88
                visible: cell.offset > 0
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "刪除"))
                Material.background: Brand.red
                Material.foreground: "white"
                onClicked: view.controller.deleteLine(cell.orderSeq)
            }

            Rectangle {
                id: content
                x: -cell.offset
                width: cell.width
                height: lines.implicitHeight
                color: "white"

                ColumnLayout {
                    id: lines
                    width: parent.width
                    spacing: 2
                    ColumnLayout {
                        Layout.fillWidth: true
                        Layout.margins: 8
                        Layout.leftMargin: 12
                        spacing: 2
                        PlainLabel { objectName: "nameLabel"; text: cell.name; color: Brand.titleText; font.bold: true; Layout.fillWidth: true; elide: Text.ElideRight }
                        RowLayout {
                            Layout.fillWidth: true
                            PlainLabel { objectName: "priceLabel"; text: cell.priceText; color: Brand.secondaryText }
                            PlainLabel { objectName: "orderNumberLabel"; text: cell.orderNumberText; color: Brand.secondaryText }
                            Item { Layout.fillWidth: true }
                            PlainLabel { objectName: "allPriceLabel"; text: cell.allPriceText; color: Brand.red; font.bold: true }
                        }
                        PlainLabel { objectName: "inco1Label"; text: cell.inco1Text; color: Brand.secondaryText }
                    }
                    // The footer of a line of 2 or more pages.
                    PlainLabel {
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

                // A horizontal drag slides the row (positions are read in the row's own, unmoving
                // coordinates); a tap closes an open row, or edits a closed one.
                MouseArea {
                    anchors.fill: parent
                    property real startX: 0
                    property real startOffset: 0
                    property bool dragged: false
                    onPressed: (mouse) => {
                        startX = mapToItem(cell, mouse.x, 0).x
                        startOffset = cell.offset
                        dragged = false
                        view.controller.beginSwipe()
                    }
                    onPositionChanged: (mouse) => {
                        const dx = mapToItem(cell, mouse.x, 0).x - startX
                        if (Math.abs(dx) > 10)
                            dragged = true
                        if (dragged)
                            cell.offset = Math.max(0, Math.min(deleteButton.width, startOffset - dx))
                    }
                    onReleased: if (dragged) cell.settle(cell.offset > deleteButton.width / 2)
                    onCanceled: cell.settle(startOffset > 0)
                    onClicked: {
                        if (dragged)
                            return
                        const wasOpen = startOffset > 0
                        cell.settle(false)
                        if (!wasOpen)
                            view.controller.selectLine(cell.orderSeq)
                    }
                }
            }
            Component.onDestruction: if (view.controller) view.controller.endSwipe()
        }
    }

    ColumnLayout {
        id: bottomArea
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 12 }
        spacing: 8
        RowLayout {
            Layout.fillWidth: true
            PlainLabel { text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "合計")); color: Brand.titleText }
            Item { Layout.fillWidth: true }
            PlainLabel {
                objectName: "allAmountLabel"
                text: view.controller.allAmountText
                color: Brand.red
                font.bold: true
                font.pixelSize: 18
            }
        }
        FilledButton {
            objectName: "cartOrderButton"
            Accessible.name: text
            Layout.fillWidth: true
            text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "下單"))
            Material.accent: Brand.red
            onClicked: view.controller.orderDone()
        }
    }
}
