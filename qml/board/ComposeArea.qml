pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The compose area at the bottom of the reply screen: the chosen photo's preview (200 points wide) with
// its remove button, then the photo button, the text input (growing up to 100 points) and send.
Rectangle {
    id: area
    required property BoardMessageReplyListViewController controller
    readonly property TextArea textInput: input

    color: "white"
    implicitHeight: layout.implicitHeight + 12

    SideBorder {
        side: SideBorder.ViewSide.Top
        thickness: 0.5
    }

    ColumnLayout {
        id: layout
        x: 8
        y: 6
        width: area.width - 16
        spacing: 6

        Item {
            visible: area.controller.photo.hasPhoto
            Layout.preferredWidth: 200
            Layout.preferredHeight: 200 * area.controller.photo.aspect
            Image {
                objectName: "selectImageView"
                anchors.fill: parent
                source: area.controller.photo.previewSource
                fillMode: Image.PreserveAspectFit
            }
            RoundButton {
                objectName: "cancelImageButton"
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "移除照片"))
                anchors.top: parent.top
                anchors.right: parent.right
                text: "✕"
                onClicked: area.controller.photo.cancelPhotoAction()
            }
        }
        RowLayout {
            spacing: 6
            Layout.fillWidth: true
            ToolButton {
                objectName: "addPhotoButton"
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "選擇方式"))
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "照片"))
                onClicked: area.controller.photo.addPhotoAction()
            }
            ScrollView {
                Layout.fillWidth: true
                Layout.preferredHeight: Math.min(100, Math.max(40, input.implicitHeight))
                TextArea {
                    id: input
                    placeholderTextColor: Brand.secondaryText
                    objectName: "newMessageTextView"
                    Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "回覆"))
                    wrapMode: TextEdit.Wrap
                    textFormat: TextEdit.PlainText
                    font.pixelSize: 16
                    text: area.controller.newMessageText
                    onTextChanged: area.controller.newMessageText = text
                }
            }
            FilledButton {
                objectName: "sendButton"
                Accessible.name: text
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "送出"))
                onClicked: area.controller.sendNewMessageAction()
            }
        }
    }
}
