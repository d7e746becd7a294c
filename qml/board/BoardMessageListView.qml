import QtQuick
import Zelk

// The messages of one board: pull down to start over, scroll to the end for the next page. The list
// lays its cells out 8 points in from each side, 10 apart.
Item {
    id: view
    required property BoardMessageListViewController controller

    Binding {
        target: view.controller
        property: "collectionWidth"
        value: list.width
        when: list.width > 0
    }

    ListView {
        id: list
        objectName: "boardMessageList"
        anchors.fill: parent
        topMargin: 8
        spacing: 10
        clip: true
        reuseItems: true
        model: view.controller.rows
        boundsBehavior: Flickable.DragOverBounds
        // Qt 6.4's ListView cannot create a footer declared in a file whose components are bound to
        // their context, so this file keeps unbound components; the delegate and the footer reach the
        // controller through the view's id.
        // qmllint disable unqualified
        delegate: BoardCell {
            id: messageCell
            x: 8
            width: ListView.view.width - 16
            onReplyClicked: view.controller.replyMessageAction(messageCell.index)
            onMenuClicked: view.controller.menuAction(messageCell.index)
        }
        footer: LoadMoreFooter {
            control: view.controller.footer
            flickable: list
        }
        // qmllint enable unqualified
    }
    RefreshHeader {
        control: view.controller.header
        flickable: list
    }
}
