pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// One message or reply, filled from the roles of a board list: author and portrait (the placeholder
// until the portrait arrives), time, text, photo, the newest-reply preview with the count (or the count
// alone), and the delete menu on the user's own messages. The photo's height comes from the record, so the cell never
// changes height when the image arrives; an image that fails to load leaves its place empty.
Rectangle {
    id: cell
    required property int index
    required property string userName
    required property string postTime
    required property string postContent
    required property url photoURL
    required property real photoHeight
    required property url headshot
    required property url placeholder
    required property string replyCount
    required property string newestReplyTitle
    required property string newestReply
    required property bool ownMessage

    // The objectNames of the cell and its buttons start with this ("boardCell_0", "boardCellMenu_0").
    property string namePrefix: "boardCell"
    // The newest reply's name and text; the reply count is drawn without them where showsReplyCount.
    property bool showsReplyPreview: true
    property bool showsReplyCount: showsReplyPreview
    property bool showsReplyButton: true
    property bool showsMenu: ownMessage
    // Replies show their photo at its height, as wide as its aspect makes it.
    property bool photoFillsWidth: true

    signal replyClicked()
    signal menuClicked()

    objectName: namePrefix + "_" + index
    Accessible.name: userName + " " + postContent
    color: "white"
    radius: 6
    implicitHeight: column.implicitHeight + 24

    ColumnLayout {
        id: column
        x: 12
        y: 12
        width: cell.width - 24
        spacing: 8

        RowLayout {
            spacing: 10
            Layout.fillWidth: true
            Item {
                Layout.preferredWidth: 40
                Layout.preferredHeight: 40
                Image {
                    anchors.fill: parent
                    source: cell.placeholder
                    sourceSize.width: 80
                    visible: portrait.status !== Image.Ready
                }
                Image {
                    id: portrait
                    objectName: "authorImageView"
                    anchors.fill: parent
                    source: cell.headshot
                    sourceSize.width: 80
                    asynchronous: true
                    fillMode: Image.PreserveAspectCrop
                }
            }
            ColumnLayout {
                spacing: 2
                Layout.fillWidth: true
                PlainLabel {
                    objectName: "authorLabel"
                    text: cell.userName
                    font.pixelSize: 15
                    font.bold: true
                    color: Brand.titleText
                    Layout.fillWidth: true
                    elide: Text.ElideRight
                }
                PlainLabel {
                    objectName: "timeLabel"
                    text: cell.postTime
                    font.pixelSize: 12
                    color: Brand.unselectedTab
                }
            }
            ToolButton {
                objectName: cell.namePrefix + "Menu_" + cell.index
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "刪除留言"))
                visible: cell.showsMenu
                text: "⋯"
                font.pixelSize: 20
                onClicked: cell.menuClicked()
            }
        }
        PlainLabel {
            objectName: "contentTextView"
            Layout.fillWidth: true
            text: cell.postContent
            font.pixelSize: 17
            color: Brand.titleText
            wrapMode: Text.Wrap
        }
        Image {
            objectName: "contentImageView"
            visible: cell.photoHeight > 0
            Layout.fillWidth: true
            Layout.leftMargin: 4
            Layout.rightMargin: 4
            Layout.preferredHeight: cell.photoHeight
            source: cell.photoHeight > 0 ? cell.photoURL : ""
            // Decoded at the size drawn: a list of photos holds no full-size images.
            sourceSize.width: cell.photoFillsWidth ? Math.max(1, cell.width - 32) : 0
            sourceSize.height: cell.photoFillsWidth ? 0 : cell.photoHeight
            asynchronous: true
            fillMode: Image.PreserveAspectFit
            horizontalAlignment: cell.photoFillsWidth ? Image.AlignHCenter : Image.AlignLeft
        }
        Rectangle {
            objectName: "replyView"
            visible: cell.showsReplyPreview || (cell.showsReplyCount && cell.replyCount !== "")
            Layout.fillWidth: true
            implicitHeight: preview.implicitHeight + 16
            border.width: 0.5
            border.color: Brand.separator
            ColumnLayout {
                id: preview
                x: 8
                y: 8
                width: parent.width - 16
                spacing: 4
                PlainLabel {
                    objectName: "replyCountLabel"
                    visible: text !== ""
                    text: cell.replyCount
                    font.pixelSize: 13
                    color: Brand.unselectedTab
                }
                PlainLabel {
                    objectName: "newestReplyTitleLabel"
                    visible: cell.showsReplyPreview
                    text: cell.newestReplyTitle
                    font.pixelSize: 13
                    font.bold: true
                    color: Brand.titleText
                }
                PlainLabel {
                    objectName: "newestReplyLabel"
                    visible: cell.showsReplyPreview && text !== ""
                    Layout.fillWidth: true
                    text: cell.newestReply
                    font.pixelSize: 13
                    color: Brand.titleText
                    wrapMode: Text.Wrap
                    maximumLineCount: 2
                    elide: Text.ElideRight
                }
            }
        }
        Button {
            objectName: cell.namePrefix + "Reply_" + cell.index
            visible: cell.showsReplyButton
            Accessible.name: text
            text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "回覆"))
            flat: true
            Layout.alignment: Qt.AlignRight
            onClicked: cell.replyClicked()
        }
    }
}
