import QtQuick
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The order confirmation: one section per line (line row, and the result row once answered), the
// total bar before submitting, the button row of the current state and the notice-mail area.
Item {
    id: view
    required property OrderConfirmViewController controller

    ListView {
        id: table
        objectName: "confirmTable"
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: bottomArea.top }
        clip: true
        spacing: 8
        model: view.controller.sections
        delegate: Column {
            id: section
            required property int index
            required property string name
            required property string priceText
            required property string orderNumberText
            required property string allPriceText
            required property string inco1Text
            required property bool answered
            required property string statusText
            required property string messageText
            required property color statusColor
            width: ListView.view.width
            Rectangle {
                objectName: "orderCartCell_" + section.index
                width: parent.width
                height: cartColumn.implicitHeight + 16
                color: "white"
                ColumnLayout {
                    id: cartColumn
                    anchors { left: parent.left; right: parent.right; top: parent.top; margins: 8; leftMargin: 15; rightMargin: 15 }
                    spacing: 2
                    PlainLabel { text: section.name; font.bold: true; color: Brand.titleText; Layout.fillWidth: true; elide: Text.ElideRight }
                    RowLayout {
                        Layout.fillWidth: true
                        PlainLabel { text: section.priceText; color: Brand.secondaryText }
                        PlainLabel { text: section.orderNumberText; color: Brand.secondaryText }
                        Item { Layout.fillWidth: true }
                        PlainLabel { text: section.allPriceText; color: Brand.red; font.bold: true }
                    }
                    PlainLabel { text: section.inco1Text; color: Brand.secondaryText }
                }
            }
            Rectangle {
                objectName: "orderConfirmStatusCell_" + section.index
                visible: section.answered
                width: parent.width
                height: visible ? statusColumn.implicitHeight + 12 : 0
                color: section.statusColor
                ColumnLayout {
                    id: statusColumn
                    anchors { left: parent.left; right: parent.right; top: parent.top; margins: 6; leftMargin: 15; rightMargin: 15 }
                    PlainLabel { objectName: "statusLabel"; text: section.statusText; color: "white"; font.bold: true }
                    PlainLabel { objectName: "messageLabel"; text: section.messageText; color: "white"; wrapMode: Text.Wrap; Layout.fillWidth: true }
                }
            }
        }
    }

    ColumnLayout {
        id: bottomArea
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 12 }
        spacing: 8
        Rectangle {
            objectName: "amountView"
            visible: !view.controller.amountViewHidden
            Layout.fillWidth: true
            Layout.preferredHeight: 44
            color: "white"
            radius: 4
            RowLayout {
                anchors { fill: parent; leftMargin: 12; rightMargin: 12 }
                PlainLabel { text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "合計")); color: Brand.titleText }
                Item { Layout.fillWidth: true }
                PlainLabel { objectName: "amountLabel"; text: view.controller.amountText; color: Brand.red; font.bold: true; font.pixelSize: 18 }
            }
        }
        FilledButton {
            objectName: "sendMailButton"
            Accessible.name: text
            visible: !view.controller.sendMailButtonViewHidden
            enabled: view.controller.sendMailButtonEnabled
            Layout.fillWidth: true
            text: view.controller.sendMailButtonTitle
            onClicked: view.controller.sentMailAction()
        }
        RowLayout {
            objectName: "buttonsStackView"
            Layout.fillWidth: true
            // A button reports its taps through its own signal, connected here as it is added.
            Repeater {
                model: view.controller.buttons
                onItemAdded: (index, item) => item.tapped.connect(buttonId => view.controller.buttonTapped(buttonId))
                delegate: PlainButton {
                    id: button
                    required property string buttonId
                    required property string title
                    required property color accent
                    objectName: buttonId
                    Accessible.name: text
                    Layout.fillWidth: true
                    Material.accent: accent
                    text: title
                    signal tapped(string buttonId)
                    onClicked: button.tapped(button.buttonId)
                }
            }
        }
    }
}
