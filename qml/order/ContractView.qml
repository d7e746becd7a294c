pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Zelk

// The contracts of the customer: the customer and the credit on top, then one row per contract.
Item {
    id: view
    required property ContractViewController controller

    Rectangle {
        id: header
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 60
        color: "white"
        ColumnLayout {
            anchors { fill: parent; leftMargin: 15; rightMargin: 15; topMargin: 6; bottomMargin: 6 }
            spacing: 2
            PlainLabel {
                objectName: "customNameLabel"
                Layout.fillWidth: true
                text: view.controller.customNameText
                color: Brand.titleText
                elide: Text.ElideRight
            }
            PlainLabel {
                objectName: "creditsLabel"
                text: view.controller.creditsText
                color: Brand.red
                font.bold: true
            }
        }
    }

    ListView {
        objectName: "contractTable"
        anchors { left: parent.left; right: parent.right; top: header.bottom; bottom: parent.bottom }
        clip: true
        model: view.controller.contracts
        delegate: ListCell {
            id: cell
            required property int index
            required property string mainText
            required property string vbeln
            objectName: "contractCell_" + index
            width: ListView.view.width
            text: mainText
            detailText: cell.vbeln
            disclosure: true
            onClicked: view.controller.selectRow(cell.index)
        }
    }
}
