pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The composer: the text, the photo button and the chosen photo at the full width of the form (its
// height from the photo's aspect) with its remove button. "取消" and "送出" are in the navigation bar.
// A tap outside the text input closes the keyboard.
Item {
    id: view
    required property AddBoardMessageViewController controller

    Flickable {
        id: scroller
        objectName: "composerScroll"
        anchors.fill: parent
        contentHeight: form.implicitHeight + 40
        boundsBehavior: Flickable.DragOverBounds

        KeyboardDismissArea {
            screen: view.controller
            width: scroller.width
            height: Math.max(scroller.height, scroller.contentHeight)
        }
        ColumnLayout {
            id: form
            x: 16
            y: 16
            width: scroller.width - 32
            spacing: 12

            TextArea {
                placeholderTextColor: Brand.secondaryText
                objectName: "newMessageTextView"
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "新增留言"))
                Layout.fillWidth: true
                Layout.minimumHeight: 140
                wrapMode: TextEdit.Wrap
                textFormat: TextEdit.PlainText
                font.pixelSize: 17
                placeholderText: Localized.text(QT_TRANSLATE_NOOP("Zelk", "請輸入想說的話"))
                text: view.controller.newMessageText
                onTextChanged: view.controller.newMessageText = text
                background: Rectangle {
                    color: "white"
                    border.width: 0.5
                    border.color: Brand.separator
                    radius: 4
                }
            }
            Button {
                objectName: "addPhotoButton"
                Accessible.name: text
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "選擇方式"))
                onClicked: view.controller.photo.addPhotoAction()
            }
            Item {
                visible: view.controller.photo.hasPhoto
                Layout.fillWidth: true
                Layout.preferredHeight: width * view.controller.photo.aspect
                Image {
                    objectName: "selectImageView"
                    anchors.fill: parent
                    source: view.controller.photo.previewSource
                    fillMode: Image.PreserveAspectFit
                }
                RoundButton {
                    objectName: "cancelImageButton"
                    Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "移除照片"))
                    anchors.top: parent.top
                    anchors.right: parent.right
                    text: "✕"
                    onClicked: view.controller.photo.cancelPhotoAction()
                }
            }
        }
    }
}
