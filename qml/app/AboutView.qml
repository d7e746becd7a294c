pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Zelk

// About the company: the shipped HTML document as rich text.
Item {
    id: view
    required property AboutViewController controller


    ScrollView {
        anchors.fill: parent
        TextArea {
            placeholderTextColor: Brand.secondaryText
            objectName: "textView"
            Accessible.name: "textView"
            readOnly: true
            // The one rich text of the app: its own shipped document, never a received text.
            textFormat: TextEdit.RichText
            wrapMode: TextEdit.Wrap
            leftPadding: 16
            rightPadding: 16
            topPadding: 12
            text: view.controller.text
            color: Brand.titleText
            background: Rectangle { color: "white" }
        }
    }
}
