pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Zelk

// The choice of recipients: the required persons (one is chosen) and the contact persons, each under
// its section header; a tap on a row chooses it.
Item {
    id: view
    required property ChoiceMailViewController controller

    ListView {
        objectName: "choiceMailTable"
        anchors.fill: parent
        clip: true
        model: view.controller.rows
        section.property: "section"
        section.delegate: Label {
            required property string section
            width: ListView.view.width
            height: 44
            leftPadding: 15
            verticalAlignment: Text.AlignVCenter
            text: section
            color: "gray"
        }
        delegate: ItemDelegate {
            id: cell
            required property int index
            required property string name
            required property string mail
            required property bool selected
            objectName: "choiceCell_" + index
            Accessible.name: name
            Accessible.checked: selected
            width: ListView.view.width
            background: Rectangle {
                color: cell.down ? "#eeeeee" : "white"
                Rectangle { anchors.bottom: parent.bottom; x: 15; width: parent.width - 15; height: 1; color: Brand.separator }
            }
            onClicked: view.controller.selectRow(cell.index)
            contentItem: Row {
                spacing: 10
                Image {
                    objectName: "selectButton_" + cell.index
                    anchors.verticalCenter: parent.verticalCenter
                    width: 24
                    height: 24
                    source: cell.selected ? "qrc:/Zelk/resources/check.png" : "qrc:/Zelk/resources/uncheck.png"
                }
                Column {
                    Label { objectName: "nameLabel"; text: cell.name; color: Brand.titleText }
                    Label { objectName: "mailLabel"; text: cell.mail; color: "gray" }
                }
            }
        }
    }
}
