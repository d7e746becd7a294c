pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The More tab: a menu of rows with a title and a second text; rows without an action are inert.
Item {
    id: view
    required property MoreViewController controller


    ListView {
        id: list
        objectName: "moreList"
        anchors.fill: parent
        anchors.topMargin: 12
        clip: true
        interactive: contentHeight > height
        model: view.controller.rows
        delegate: ItemDelegate {
            id: cell
            required property string name
            required property string subTitle
            required property bool disclosure
            required property bool highlight
            required property int index
            objectName: "moreCell_" + index
            Accessible.name: name
            width: ListView.view.width
            implicitHeight: 52
            leftPadding: 15
            rightPadding: 15
            background: Rectangle {
                color: cell.down && cell.highlight ? "#eeeeee" : "white"
                Rectangle {
                    anchors.bottom: parent.bottom
                    x: 15
                    width: parent.width - 15
                    height: 1
                    color: Brand.separator
                }
            }
            contentItem: RowLayout {
                spacing: 8
                PlainLabel {
                    objectName: "titleLabel"
                    Layout.fillWidth: true
                    text: cell.name
                    color: view.controller.titleColor
                    elide: Text.ElideRight
                }
                PlainLabel {
                    objectName: "subTitleLabel"
                    text: cell.subTitle
                    color: cell.disclosure ? Brand.red : Brand.secondaryText
                }
                PlainLabel {
                    visible: cell.disclosure
                    text: "›"
                    font.pixelSize: 22
                    color: Brand.secondaryText
                }
            }
            onClicked: view.controller.selectRow(cell.index)
        }
    }
}
