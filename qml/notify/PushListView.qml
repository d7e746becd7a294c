import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The notification history: one card per notification (time and text), pull down to start over,
// scroll to the end for the next page.
Item {
    id: view
    required property PushListViewController controller


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
        // Qt 6.4's ListView cannot create a footer declared in a file whose components are bound to
        // their context, so this file keeps unbound components; the delegate and the footer reach the
        // controller through the view's id.
        // qmllint disable unqualified
        delegate: ItemDelegate {
            id: cell
            required property string time
            required property string title
            required property int index
            objectName: "pushListCell_" + index
            Accessible.name: title
            width: ListView.view.width
            padding: 12
            background: Rectangle { color: "white"; radius: 6 }
            contentItem: ColumnLayout {
                spacing: 6
                PlainLabel {
                    objectName: "timeLabel"
                    text: cell.time
                    font.pixelSize: 13
                    color: Brand.unselectedTab
                }
                PlainLabel {
                    objectName: "contentTextView"
                    Layout.fillWidth: true
                    text: cell.title
                    font.pixelSize: 17
                    color: Brand.titleText
                    wrapMode: Text.Wrap
                }
            }
            onClicked: view.controller.selectItem(cell.index)
        }
        footer: LoadMoreFooter {
            control: view.controller.footer
            flickable: list
        }
        // qmllint enable unqualified
        TapHandler { onTapped: view.controller.listTapped() }
    }
    RefreshHeader {
        control: view.controller.header
        flickable: list
    }
}
