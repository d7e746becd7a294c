pragma ComponentBehavior: Bound
import QtQuick
import Zelk

// One message and its replies above the compose area. Pull down to reload; the view gives the text
// input the focus and scrolls to the end when the screen asks.
Item {
    id: view
    required property BoardMessageReplyListViewController controller

    Binding {
        target: view.controller
        property: "collectionWidth"
        value: scroller.width
        when: scroller.width > 0
    }

    Flickable {
        id: scroller
        objectName: "boardReplyList"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: compose.top
        clip: true
        contentHeight: content.implicitHeight + 16
        boundsBehavior: Flickable.DragOverBounds

        KeyboardDismissArea {
            screen: view.controller
            width: scroller.width
            height: Math.max(scroller.height, scroller.contentHeight)
        }
        Column {
            id: content
            x: 8
            y: 8
            width: scroller.width - 16
            spacing: 10

            Repeater {
                model: view.controller.rows
                delegate: BoardCell {
                    id: messageCell
                    width: content.width
                    namePrefix: "boardMessage"
                    showsMenu: false
                    showsReplyPreview: false
                    showsReplyCount: true
                    onReplyClicked: view.controller.replyMessageAction(messageCell.index)
                }
            }
            Repeater {
                model: view.controller.replies
                delegate: BoardCell {
                    id: replyCell
                    width: content.width
                    namePrefix: "boardReply"
                    showsReplyPreview: false
                    showsReplyButton: false
                    photoFillsWidth: false
                    onMenuClicked: view.controller.menuAction(replyCell.index)
                }
            }
        }
        NumberAnimation {
            id: scrollToEnd
            target: scroller
            property: "contentY"
            duration: 250
        }
    }
    RefreshHeader {
        control: view.controller.header
        flickable: scroller
    }
    ComposeArea {
        id: compose
        controller: view.controller
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }

    Connections {
        target: view.controller
        function onFocusRequested() { compose.textInput.forceActiveFocus() }
        function onScrollToEndRequested() {
            scrollToEnd.to = Math.max(0, scroller.contentHeight - scroller.height)
            scrollToEnd.restart()
        }
    }
}
