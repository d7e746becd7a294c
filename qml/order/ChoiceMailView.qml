pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Zelk

// The choice of recipients: the required persons (one is chosen) and the contact persons, each section
// under its header; a tap on a row chooses it.
Item {
    id: view
    required property ChoiceMailViewController controller

    ListView {
        id: table
        objectName: "choiceMailTable"
        anchors.fill: parent
        clip: true
        model: view.controller.rows
        delegate: Column {
            id: row
            required property int index
            required property string header
            required property string name
            required property string mail
            required property bool selected
            width: table.width
            PlainLabel {
                objectName: "sectionHeader_" + row.index
                visible: row.header !== ""
                width: parent.width
                height: visible ? 44 : 0
                leftPadding: 15
                verticalAlignment: Text.AlignVCenter
                text: row.header
                color: Brand.secondaryText
            }
            ItemDelegate {
                id: cell
                objectName: "choiceCell_" + row.index
                Accessible.name: row.name
                Accessible.checked: row.selected
                width: parent.width
                background: Rectangle {
                    color: cell.down ? "#eeeeee" : "white"
                    Rectangle { anchors.bottom: parent.bottom; x: 15; width: parent.width - 15; height: 1; color: Brand.separator }
                }
                onClicked: view.controller.selectRow(row.index)
                contentItem: Row {
                    spacing: 10
                    Image {
                        objectName: "selectButton_" + row.index
                        anchors.verticalCenter: parent.verticalCenter
                        width: 24
                        height: 24
                        source: row.selected ? "qrc:/Zelk/resources/check.png" : "qrc:/Zelk/resources/uncheck.png"
                    }
                    Column {
                        PlainLabel { objectName: "nameLabel"; text: row.name; color: Brand.titleText }
                        PlainLabel { objectName: "mailLabel"; text: row.mail; color: Brand.secondaryText }
                    }
                }
            }
        }
    }
}
