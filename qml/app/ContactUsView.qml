pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The contact details: a name and its value per row; the telephone rows dial.
Item {
    id: view
    required property ContactUsViewController controller


    ListView {
        id: list
        objectName: "contactList"
        anchors.fill: parent
        anchors.topMargin: 12
        clip: true
        interactive: contentHeight > height
        model: view.controller.rows
        delegate: ItemDelegate {
            id: cell
            required property string name
            required property string detail
            required property int index
            objectName: "contactCell_" + index
            Accessible.name: name
            width: ListView.view.width
            leftPadding: 15
            rightPadding: 15
            topPadding: 10
            bottomPadding: 10
            background: Rectangle {
                color: cell.down ? "#eeeeee" : "white"
                Rectangle {
                    anchors.bottom: parent.bottom
                    x: 15
                    width: parent.width - 15
                    height: 1
                    color: Brand.separator
                }
            }
            contentItem: ColumnLayout {
                spacing: 4
                PlainLabel {
                    text: cell.name
                    color: view.controller.titleColor
                }
                PlainLabel {
                    Layout.fillWidth: true
                    text: cell.detail
                    color: Brand.secondaryText
                    font.pixelSize: 13
                    wrapMode: Text.Wrap
                }
            }
            onClicked: view.controller.selectRow(cell.index)
        }
    }
}
