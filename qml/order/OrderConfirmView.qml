import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The order confirmation: one section per line (line row, and the result row once answered), the
// total bar before submitting, the button row of the current state and the notice-mail area.
Item {
    id: view
    required property var controller


    ListView {
        id: table
        objectName: "confirmTable"
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: bottomArea.top }
        clip: true
        spacing: 8
        model: view.controller.sections
        delegate: Column {
            required property var modelData
            required property int index
            width: ListView.view.width
            Rectangle {
                objectName: "orderCartCell_" + index
                width: parent.width
                height: cartColumn.implicitHeight + 16
                color: "white"
                ColumnLayout {
                    id: cartColumn
                    anchors { left: parent.left; right: parent.right; top: parent.top; margins: 8; leftMargin: 15; rightMargin: 15 }
                    spacing: 2
                    Label { text: modelData.name; font.bold: true; color: Brand.titleText; Layout.fillWidth: true; elide: Text.ElideRight }
                    RowLayout {
                        Layout.fillWidth: true
                        Label { text: modelData.priceText; color: "gray" }
                        Label { text: modelData.orderNumberText; color: "gray" }
                        Item { Layout.fillWidth: true }
                        Label { text: modelData.allPriceText; color: Brand.red; font.bold: true }
                    }
                    Label { text: modelData.inco1Text; color: "gray" }
                }
            }
            Rectangle {
                objectName: "orderConfirmStatusCell_" + index
                visible: modelData.rowCount > 1
                width: parent.width
                height: visible ? statusColumn.implicitHeight + 12 : 0
                color: modelData.statusColor !== undefined ? modelData.statusColor : "white"
                ColumnLayout {
                    id: statusColumn
                    anchors { left: parent.left; right: parent.right; top: parent.top; margins: 6; leftMargin: 15; rightMargin: 15 }
                    Label { objectName: "statusLabel"; text: modelData.statusText || ""; color: "white"; font.bold: true }
                    Label { objectName: "messageLabel"; text: modelData.messageText || ""; color: "white"; wrapMode: Text.Wrap; Layout.fillWidth: true }
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
                Label { text: Localized.text("合計"); color: Brand.titleText }
                Item { Layout.fillWidth: true }
                Label { objectName: "amountLabel"; text: view.controller.amountText; color: Brand.red; font.bold: true; font.pixelSize: 18 }
            }
        }
        Button {
            objectName: "sendMailButton"
            Accessible.name: text
            visible: !view.controller.sendMailButtonViewHidden
            enabled: view.controller.sendMailButtonEnabled
            Layout.fillWidth: true
            text: view.controller.sendMailButtonTitle !== "" ? view.controller.sendMailButtonTitle : Localized.text("發送通知")
            onClicked: view.controller.sentMailAction()
        }
        RowLayout {
            objectName: "buttonsStackView"
            Layout.fillWidth: true
            Repeater {
                model: view.controller.buttons
                delegate: Button {
                    required property string modelData
                    objectName: modelData
                    Accessible.name: text
                    Layout.fillWidth: true
                    highlighted: true
                    Material.accent: modelData === "orderQueryButton" ? view.controller.orderQueryButtonColor : Brand.red
                    text: modelData === "confirmButton" ? Localized.text("確認下單")
                        : modelData === "orderQueryButton" ? Localized.text("訂單查詢")
                        : modelData === "closeButton" ? Localized.text("關閉")
                        : Localized.text("修改訂單")
                    onClicked: {
                        if (modelData === "confirmButton") view.controller.orderAction()
                        else if (modelData === "orderQueryButton") view.controller.orderQueryAction()
                        else view.controller.closeAction(modelData)
                    }
                }
            }
        }
    }
}
