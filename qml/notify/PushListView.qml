import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The notification history: one card per notification (time and text), pull down to start over,
// scroll to the end for the next page.
Item {
    id: view
    required property var controller


    ListView {
        id: list
        objectName: "pushList"
        anchors.fill: parent
        anchors.leftMargin: 8
        anchors.rightMargin: 8
        topMargin: 8
        spacing: 10
        clip: true
        model: view.controller.rows
        boundsBehavior: Flickable.DragOverBounds
        delegate: ItemDelegate {
            id: cell
            required property var modelData
            required property int index
            objectName: "pushListCell_" + index
            Accessible.name: modelData.title
            width: ListView.view.width
            padding: 12
            background: Rectangle { color: "white"; radius: 6 }
            contentItem: ColumnLayout {
                spacing: 6
                Label {
                    objectName: "timeLabel"
                    text: cell.modelData.time
                    font.pixelSize: 13
                    color: Brand.unselectedTab
                }
                Label {
                    objectName: "contentTextView"
                    Layout.fillWidth: true
                    text: cell.modelData.title
                    font.pixelSize: 17
                    color: Brand.titleText
                    wrapMode: Text.Wrap
                }
            }
            onClicked: view.controller.selectItem(index)
        }
        footer: LoadMoreFooter {
            control: view.controller.footer
            flickable: list
        }
        TapHandler { onTapped: view.controller.listTapped() }
    }
    RefreshHeader {
        control: view.controller.header
        flickable: list
    }
}
